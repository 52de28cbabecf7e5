#include "language_win32.h"

#include "../platform/platform_win32.h"
#include "language.h"
#include "state_win32.h"

bool UserLanguageIsJapanese(int bufferSize)
{
    char language[64] = "";
    GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SENGLANGUAGE, language, bufferSize);
    return IsJapaneseLanguage(language);
}

void LoadText(unsigned id, char *buffer, int size)
{
    if (LoadStringA(g_hInstance, id, buffer, size) == 0)
        buffer[0] = '\0';
}

bool IsAnsiLeadByte(unsigned char byte)
{
    return IsDBCSLeadByte(byte) != FALSE;
}
