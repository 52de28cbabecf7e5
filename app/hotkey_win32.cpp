// The settings' hot key: registered once at start-up on the owner window, and
// what a press of it does.
#include "../bars/bars_win32.h"
#include "../options/options_win32.h"
#include "../sweep/sweep_win32.h"
#include "app_win32.h"
#include "state.h"

namespace {

// Systems before Windows 7 refuse MOD_NOREPEAT; there a held key repeats.
bool RegisterChord(const HotkeyChord &chord)
{
    HWND owner = g_EdgeBarSet.hwndOwner;
    return RegisterHotKey(owner, HOTKEY_ID, chord.modifiers | MOD_NOREPEAT, chord.key) ||
           RegisterHotKey(owner, HOTKEY_ID, chord.modifiers, chord.key);
}

} // namespace

void StartHotkey()
{
    g_HotkeyRegistered = false;
    HotkeySetting setting;
    ReadHotkeyFromFile(&setting);
    if (!setting.wanted)
        return;
    if (setting.why.reason == HotkeyFine) {
        g_HotkeyRegistered = RegisterChord(setting.chord);
        if (g_HotkeyRegistered)
            return;
        setting.why.reason = HotkeyTaken;
    }
    char text[HOTKEY_MESSAGE_SIZE];
    FormatHotkeyProblem(UserLanguageIsJapanese(32), setting.text, &setting.why, text);
    // Owned by no window: an owner would be disabled while the box is up.
    MessageBoxA(NULL, text, "Brellox", MB_OK | MB_ICONWARNING);
}

void HotkeyPressed()
{
    if (AnyOpenStands()) {
        EndOpens();
        return;
    }
    POINT pointer = {};
    GetCursorPos(&pointer);
    const bool enabled[EDGE_COUNT] = {g_Settings.Left != 0, g_Settings.Right != 0, g_Settings.Top != 0,
                                      g_Settings.Bottom != 0};
    int bar = 0;
    // The program a hot key reaches may take the front; the watch expects the
    // bar there after the open, as after a double-click on it.
    if (HotkeyBar(g_MonitorLayout, pointer, enabled, &bar) && SetForegroundWindow(g_EdgeBarSet.hwndBar[bar]))
        OpenBar(bar);
}

void EndHotkey()
{
    if (g_HotkeyRegistered)
        UnregisterHotKey(g_EdgeBarSet.hwndOwner, HOTKEY_ID);
    g_HotkeyRegistered = false;
}
