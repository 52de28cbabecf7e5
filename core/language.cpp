#include "language.h"

#include <string.h>

bool IsJapaneseLanguage(const char *englishLanguageName)
{
    return strcmp(englishLanguageName, "Japanese") == 0;
}
