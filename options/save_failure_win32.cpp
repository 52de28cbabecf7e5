#include "save_failure_win32.h"

#include "../core/language_win32.h"
#include "../res/resource.h"

void TellSaveFailure(HWND owner, const SaveFailure &failure, const unsigned wordIds[6])
{
    // The system's text for one of its errors that came as an HRESULT.
    DWORD error = failure.error;
    if ((error & 0xFFFF0000u) == 0x80070000u)
        error = HRESULT_CODE(error);
    // Error 0 would read as the system's word for success.
    char reason[256];
    if (error == 0 || FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, NULL, error, 0, reason,
                                     sizeof(reason), NULL) == 0)
        reason[0] = '\0';
    const bool japanese = UserLanguageIsJapanese(32);
    char words[6][256];
    for (int i = 0; i < 6; ++i)
        LoadText(TextId(wordIds[i], japanese), words[i], sizeof(words[i]));
    const SaveFailureTexts texts = {words[0], words[1], words[2], words[3], words[4], words[5]};
    char text[1024];
    FormatSaveFailure(texts, failure.path, reason, error, IsAnsiLeadByte, text, sizeof(text));
    char caption[64];
    LoadText(TextId(IDS_CAPTION, japanese), caption, sizeof(caption));
    MessageBoxA(owner, text, caption, MB_ICONERROR);
}
