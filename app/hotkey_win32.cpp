#include "hotkey_win32.h"

#include "../bars/bar_appearance_win32.h"
#include "../bars/bar_layout.h"
#include "../core/language_win32.h"
#include "../core/state_win32.h"
#include "../res/resource.h"
#include "hotkey.h"
#include "open_cycle_win32.h"
#include "settings_file_win32.h"
#include "timers_win32.h"

namespace {

const int HOTKEY_ID = 1;

// Whether the settings' hot key is registered on the owner window.
bool g_HotkeyRegistered;
// The copy this one asked to end at start, until the hot key is registered:
// the key is free once that copy has ended.
HANDLE g_hReplacedCopy;

// Systems before Windows 7 refuse MOD_NOREPEAT; there a held key repeats.
bool RegisterChord(const HotkeyChord &chord)
{
    HWND owner = g_EdgeBarSet.hwndOwner;
    return RegisterHotKey(owner, HOTKEY_ID, chord.modifiers | MOD_NOREPEAT, chord.key) ||
           RegisterHotKey(owner, HOTKEY_ID, chord.modifiers, chord.key);
}

// The settings' hot key while start-up waits for the replaced copy to let it
// go, and since when it waits.
HotkeySetting g_WaitingHotkey;
DWORD g_HotkeyWaitStart;

void TellHotkeyProblem(HotkeySetting *setting)
{
    const bool japanese = UserLanguageIsJapanese(32);
    char words[4][128];
    const unsigned wordIds[4] = {IDS_HOTKEY_BEFORE_VALUE, IDS_HOTKEY_AFTER_VALUE, IDS_HOTKEY_BEFORE_PART,
                                 IDS_HOTKEY_RUNS_ON};
    for (int i = 0; i < 4; ++i)
        LoadText(TextId(wordIds[i], japanese), words[i], sizeof(words[i]));
    // The reasons' texts stand in the order of the reasons, from the first
    // reason that is not fine.
    char reasons[HotkeyTaken + 1][256] = {};
    for (int reason = HotkeyTooLong; reason <= HotkeyTaken; ++reason)
        LoadText(TextId(IDS_HOTKEY_TOO_LONG + (reason - HotkeyTooLong), japanese), reasons[reason],
                 sizeof(reasons[reason]));
    HotkeyProblemTexts texts = {words[0], words[1], words[2], {}, words[3]};
    for (int reason = HotkeyFine; reason <= HotkeyTaken; ++reason)
        texts.reasons[reason] = reasons[reason];
    char text[HOTKEY_MESSAGE_SIZE];
    FormatHotkeyProblem(texts, setting->text, &setting->why, text);
    char caption[64];
    LoadText(TextId(IDS_CAPTION, japanese), caption, sizeof(caption));
    // Owned by no window: an owner would be disabled while the box is up.
    MessageBoxA(NULL, text, caption, MB_OK | MB_ICONWARNING);
}

void ForgetReplacedCopy()
{
    if (g_hReplacedCopy != NULL)
        CloseHandle(g_hReplacedCopy);
    g_hReplacedCopy = NULL;
}

// Registers the key; where that is refused while the replaced copy still
// runs, tries again each tick of a timer once that copy has ended, and tells
// the user only when another program holds the key.
void TryHotkey(HotkeySetting *setting)
{
    g_HotkeyRegistered = RegisterChord(setting->chord);
    if (g_HotkeyRegistered) {
        ForgetReplacedCopy();
        return;
    }
    const bool replacedCopyRuns = g_hReplacedCopy != NULL && WaitForSingleObject(g_hReplacedCopy, 0) == WAIT_TIMEOUT;
    if (AfterHotkeyRefused(replacedCopyRuns, GetTickCount() - g_HotkeyWaitStart) == HotkeyWaitForReplacedCopy) {
        g_WaitingHotkey = *setting;
        SetTimer(g_EdgeBarSet.hwndOwner, TIMER_HOTKEY_RETRY, HOTKEY_RETRY_PERIOD_MS, HotkeyRetry);
        return;
    }
    ForgetReplacedCopy();
    setting->why.reason = HotkeyTaken;
    TellHotkeyProblem(setting);
}

} // namespace

void StartHotkey(HANDLE replacedCopy)
{
    g_hReplacedCopy = replacedCopy;
    g_HotkeyRegistered = false;
    HotkeySetting setting;
    ReadHotkeyFromFile(&setting);
    if (!setting.wanted) {
        ForgetReplacedCopy();
        return;
    }
    if (setting.why.reason != HotkeyFine) {
        ForgetReplacedCopy();
        TellHotkeyProblem(&setting);
        return;
    }
    g_HotkeyWaitStart = GetTickCount();
    TryHotkey(&setting);
}

VOID CALLBACK HotkeyRetry(HWND, UINT, UINT_PTR, DWORD)
{
    const bool replacedCopyRuns = g_hReplacedCopy != NULL && WaitForSingleObject(g_hReplacedCopy, 0) == WAIT_TIMEOUT;
    if (AfterHotkeyRefused(replacedCopyRuns, GetTickCount() - g_HotkeyWaitStart) == HotkeyWaitForReplacedCopy)
        return;
    KillTimer(g_EdgeBarSet.hwndOwner, TIMER_HOTKEY_RETRY);
    // Once the replaced copy has ended the key is free, unless another
    // program holds it: the next refusal is told.
    ForgetReplacedCopy();
    TryHotkey(&g_WaitingHotkey);
}

void HotkeyPressed()
{
    if (AnyOpenStands()) {
        EndOpens();
        return;
    }
    POINT pointer = {};
    GetCursorPos(&pointer);
    bool enabled[EDGE_COUNT];
    for (int edge = 0; edge < EDGE_COUNT; ++edge)
        enabled[edge] = EdgeEnabled(g_Settings, static_cast<Edge>(edge));
    // A full-screen program may have come to the front since the bars last
    // looked; its bars stand aside, and the press leaves it alone.
    FitBarsToFront();
    bool aside[BAR_SLOTS];
    for (int slot = 0; slot < BAR_SLOTS; ++slot)
        aside[slot] = BarAside(slot);
    int bar = 0;
    // The program a hot key reaches may take the front; the watch expects the
    // bar there after the open, as after a double-click on it.
    if (HotkeyBar(g_MonitorLayout, pointer, enabled, aside, &bar) && SetForegroundWindow(g_EdgeBarSet.hwndBar[bar]))
        OpenBar(bar);
}

void EndHotkey()
{
    KillTimer(g_EdgeBarSet.hwndOwner, TIMER_HOTKEY_RETRY);
    ForgetReplacedCopy();
    if (g_HotkeyRegistered)
        UnregisterHotKey(g_EdgeBarSet.hwndOwner, HOTKEY_ID);
    g_HotkeyRegistered = false;
}
