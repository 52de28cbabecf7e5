#include "language_win32.h"

#include "../platform/platform_win32.h"
#include "language.h"

bool UserLanguageIsJapanese(int bufferSize)
{
    char language[64] = "";
    GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SENGLANGUAGE, language, bufferSize);
    return IsJapaneseLanguage(language);
}
