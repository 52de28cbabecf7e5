// Each message one call into the part of Brellox it concerns.
#include "window_proc_win32.h"

#include "../bars/bar_appearance_win32.h"
#include "../bars/bar_geometry.h"
#include "../bars/bar_menu_win32.h"
#include "../bars/bar_mouse_win32.h"
#include "../bars/bar_windows_win32.h"
#include "../core/state_win32.h"
#include "../options/options_dialog_win32.h"
#include "../res/resource.h"
#include "../sweep/sweeps_win32.h"
#include "display_win32.h"
#include "hotkey_win32.h"
#include "open_cycle_win32.h"
#include "settings_file_win32.h"
#include "startup_shortcut_win32.h"
#include "startup_win32.h"

namespace {

// OK in the options dialog: the chosen record is saved, read back and applied.
// After a failed save the reload reads the confirmed record, not the old file:
// the user's choice applies all the same, for this run.
void ApplyChosenSettings(HWND dialog, const Settings &chosen)
{
    g_Settings = chosen;
    SaveFailure failure;
    const bool saved = SaveSettings(&failure);
    ReloadSettings();
    ApplyBars();
    if (!saved)
        ReportSaveFailure(dialog, failure);
}

// The bar menu's command.
void RunMenuCommand(int command)
{
    if (command == IDM_OPTIONS)
        ShowOptionsDialog();
    else if (command == IDM_START_WITH_WINDOWS)
        ToggleStartWithWindows();
    else if (command == IDM_CLOSE)
        PostQuitMessage(0);
}

// Something that starts a sweep or a restore, sent while one waits for
// another program: it comes after that one, posted as this message.
bool PutOffWhileMoving(UINT message)
{
    if (!MovesUnderWay())
        return false;
    PostMessageA(g_EdgeBarSet.hwndOwner, message, 0, 0);
    return true;
}

// Any of Brellox's windows: a newer copy sends WM_DESTROY to end this one, and
// registers the hot key as soon as the send returns, so the key is let go of
// here, not once the loop has ended. A bar of a monitor that went away is
// destroyed once it is no longer among the bars, and ends nothing.
void EndAsAsked(HWND hwnd, bool isBar)
{
    if (!isBar && hwnd != g_EdgeBarSet.hwndOwner)
        return;
    EndHotkey();
    PostQuitMessage(0);
}

// Programs save their windows' places as the session ends: everything goes
// back while they still run. The end is never held up: a restore waits for
// other programs within its bound.
void SessionEnding()
{
    if (!PutOffWhileMoving(WM_END_OPENS))
        EndOpens();
}

// The process may end as soon as WM_ENDSESSION returns: whatever is still
// pushed goes back, and everything is let go of as Close does. A session that
// goes on changes nothing.
void SessionEnds(bool ends)
{
    if (!ends)
        return;
    if (!MovesUnderWay())
        EndOpens();
    EndBrellox();
    PostQuitMessage(0);
}

void MouseMoved(HWND hwnd, bool isBar, int bar, WPARAM keys)
{
    if (isBar)
        ShowEdgeCursor(bar);
    TrackMouseLeave(hwnd);
    // A move with a button already held belongs to a drag begun elsewhere.
    // Some window systems (Wine among them) deliver it to the bar despite the
    // drag source's capture; the hover poll must keep watching for the dwell.
    if ((keys & (MK_LBUTTON | MK_RBUTTON | MK_MBUTTON)) == 0)
        StopHoverPoll();
}

// Taken for a press on a caption: the window system's move loop drags the bar
// until the button is released.
void LeftButtonPressed(HWND hwnd, bool isBar, int bar)
{
    if (isBar)
        ShowEdgeCursor(bar);
    SendMessageA(hwnd, WM_NCLBUTTONDOWN, HTCAPTION, 0);
}

void BarMoving(int bar, RECT *proposed)
{
    ConstrainMove(BarEdge(bar), g_MonitorLayout.monitor[BarMonitor(bar)].rect, g_Settings.Offset,
                  SeveralMonitors(g_MonitorLayout), proposed);
}

// A bar is in front after an open: another window activated takes the front
// from it, and the watch restores now rather than at its tick.
void BarDeactivated()
{
    PostMessageA(g_EdgeBarSet.hwndOwner, WM_FRONT_CHANGED, 0, 0);
}

// Every top-level window hears of a display change, the topmost bars first;
// whichever hears first follows it, and the others then find the monitors as
// they have just been read.
void DisplayChanged()
{
    if (!PutOffWhileMoving(WM_FOLLOW_DISPLAY))
        FollowDisplay();
}

// The bars keep the places their monitors give them, not the one the window
// system proposes for a new scale; the owner reads every monitor again.
void ScaleChanged()
{
    PostMessageA(g_EdgeBarSet.hwndOwner, WM_FOLLOW_DISPLAY, 0, 0);
}

} // namespace

void ShowOptionsDialog()
{
    ShowOptions(ApplyChosenSettings);
}

LRESULT CALLBACK BarWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    int bar = 0;
    const bool isBar = BarOfWindow(hwnd, &bar);
    switch (message) {
    case WM_DESTROY:
        EndAsAsked(hwnd, isBar);
        return 0;
    case WM_QUERYENDSESSION:
        SessionEnding();
        return TRUE;
    case WM_ENDSESSION:
        SessionEnds(wParam != FALSE);
        return 0;
    case WM_END_OPENS:
        EndOpens();
        return 0;
    case WM_MOUSEMOVE:
        MouseMoved(hwnd, isBar, bar, wParam);
        return 0;
    case WM_LBUTTONDOWN:
        LeftButtonPressed(hwnd, isBar, bar);
        return 0;
    case WM_LBUTTONDBLCLK:
        if (isBar)
            OpenBar(bar);
        return 0;
    case WM_RBUTTONUP:
        RunMenuCommand(RunBarMenuAtRelease(hwnd, lParam, StartsWithWindows()));
        return 0;
    // Keys reach a bar that has the front: an open one, after a double-click,
    // a drag or the hot key. Esc there puts everything back, as the hot key's
    // second press does; Shift+F10 and the menu key come as the window
    // system's context menu from the keyboard (lParam -1) and show the bar
    // menu at the bar. A bar at rest takes no keys.
    case WM_KEYDOWN:
        if (isBar && wParam == VK_ESCAPE && BarOpen(bar)) {
            EndOpens();
            return 0;
        }
        break;
    case WM_CONTEXTMENU:
        if (isBar && lParam == -1 && BarOpen(bar)) {
            RunMenuCommand(RunBarMenuAtBar(bar, StartsWithWindows()));
            return 0;
        }
        break;
    case WM_MOVING:
        if (isBar)
            BarMoving(bar, reinterpret_cast<RECT *>(lParam));
        return TRUE;
    case WM_EXITSIZEMOVE:
        if (isBar)
            SweepAtBar(bar);
        return 0;
    case WM_MOUSELEAVE:
        RestartHoverPoll();
        return 0;
    case WM_ACTIVATE:
        if (isBar && LOWORD(wParam) == WA_INACTIVE)
            BarDeactivated();
        break;
    case WM_FRONT_CHANGED:
        FrontChanged();
        return 0;
    case WM_HOTKEY:
        HotkeyPressed();
        return 0;
    case WM_DISPLAYCHANGE:
    case WM_FOLLOW_DISPLAY:
        DisplayChanged();
        return 0;
    case WM_DPICHANGED:
        ScaleChanged();
        return 0;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}
