#include "leave_list_win32.h"

#include "../core/language_win32.h"
#include "../core/state_win32.h"
#include "../res/resource.h"
#include "settings_file_win32.h"

#include <string.h>

bool StartLeaveList()
{
    LeadBytes lead = {};
    CPINFO info;
    if (GetCPInfo(CP_ACP, &info))
        memcpy(lead.ranges, info.LeadByte, sizeof(lead.ranges));
    return ReadLeaveListFromFile(lead, &g_LeaveList);
}

void TellLeaveListTooLong()
{
    const bool japanese = UserLanguageIsJapanese(32);
    char text[256];
    char caption[64];
    LoadText(TextId(IDS_LEAVE_TOO_LONG, japanese), text, sizeof(text));
    LoadText(TextId(IDS_CAPTION, japanese), caption, sizeof(caption));
    // Owned by no window: an owner would be disabled while the box is up.
    MessageBoxA(NULL, text, caption, MB_OK | MB_ICONWARNING);
}
