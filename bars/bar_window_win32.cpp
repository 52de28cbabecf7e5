// The window procedure of the class every Brellox window shares: the hidden owner
// window and the four bars. It gives the bars their mouse behaviour; the actions
// themselves live with the sweeps and the options dialog.
#include "../app/app_win32.h"
#include "../options/options_win32.h"
#include "../res/resource.h"
#include "../sweep/sweep_win32.h"
#include "bar_geometry.h"
#include "bars_win32.h"

namespace {

const WORD kEdgeCursorIds[EDGE_COUNT] = {IDCUR_EDGE_LEFT, IDCUR_EDGE_RIGHT, IDCUR_EDGE_TOP, IDCUR_EDGE_BOTTOM};

// The edge's cursor at its size on the bar's monitor: the cursors are drawn
// 16 pixels square at 100 %.
void ShowEdgeCursor(int bar)
{
    const Edge edge = BarEdge(bar);
    const int size = ScaledWidth(16, g_MonitorLayout.monitor[BarMonitor(bar)].dpi);
    HCURSOR replaced = NULL;
    if (g_hEdgeCursor[edge] == NULL || g_EdgeCursorSize[edge] != size) {
        replaced = g_hEdgeCursor[edge];
        g_hEdgeCursor[edge] = static_cast<HCURSOR>(
            LoadImageA(g_hInstance, MAKEINTRESOURCEA(kEdgeCursorIds[edge]), IMAGE_CURSOR, size, size, LR_DEFAULTCOLOR));
        g_EdgeCursorSize[edge] = size;
    }
    SetCursor(g_hEdgeCursor[edge]);
    if (replaced != NULL)
        DestroyCursor(replaced);
}

// The bar menu at the point of release, in the user's language; the menu is
// loaded for this one pop-up and destroyed before its command runs.
void RunBarMenu(HWND hwnd, LPARAM lParam)
{
    const WORD menuId = UserLanguageIsJapanese(64) ? IDM_BAR_JA : IDM_BAR_EN;
    HMENU menu = LoadMenuA(g_hInstance, MAKEINTRESOURCEA(menuId));
    POINT point = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    ClientToScreen(hwnd, &point);
    const int command =
        TrackPopupMenu(GetSubMenu(menu, 0), TPM_RETURNCMD | TPM_VCENTERALIGN, point.x, point.y, 0, hwnd, NULL);
    DestroyMenu(menu);
    if (command == IDM_OPTIONS)
        ShowOptions();
    else if (command == IDM_CLOSE)
        PostQuitMessage(0);
}

} // namespace

bool BarOfWindow(HWND hwnd, int *bar)
{
    for (int slot = 0; slot < BAR_SLOTS; ++slot) {
        if (hwnd != NULL && g_EdgeBarSet.hwndBar[slot] == hwnd) {
            *bar = slot;
            return true;
        }
    }
    return false;
}

LRESULT CALLBACK BarWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    int bar = 0;
    const bool isBar = BarOfWindow(hwnd, &bar);
    switch (message) {
    case WM_DESTROY:
        // Any of Brellox's windows: a newer copy sends this to end this one,
        // and registers the hot key as soon as the send returns, so the key is
        // let go of here, not once the loop has ended. A bar of a monitor that
        // went away is destroyed once it is no longer among the bars.
        if (isBar || hwnd == g_EdgeBarSet.hwndOwner) {
            EndHotkey();
            PostQuitMessage(0);
        }
        return 0;
    case WM_QUERYENDSESSION:
        // Programs save their windows' places as the session ends: everything
        // goes back while they still run. The end is never held up: a restore
        // waits for other programs within its bound, and one under way in a
        // sweep's wait comes right after it.
        if (MovesUnderWay())
            PostMessageA(g_EdgeBarSet.hwndOwner, WM_END_OPENS, 0, 0);
        else
            EndOpens();
        return TRUE;
    case WM_ENDSESSION:
        // The process may end as soon as this returns: whatever is still
        // pushed goes back, and everything is let go of as Close does.
        if (wParam) {
            if (!MovesUnderWay())
                EndOpens();
            EndBrellox();
            PostQuitMessage(0);
        }
        return 0;
    case WM_END_OPENS:
        EndOpens();
        return 0;
    case WM_MOUSEMOVE: {
        if (isBar)
            ShowEdgeCursor(bar);
        // The window system's own leave tracking, which the common controls'
        // wrapper only forwards to; that library stays unloaded at rest.
        TRACKMOUSEEVENT track = {sizeof(track), TME_LEAVE, hwnd, 0};
        TrackMouseEvent(&track);
        // A move with a button already held belongs to a drag begun elsewhere.
        // Some window systems (Wine among them) deliver it to the bar despite the
        // drag source's capture; the hover poll must keep watching for the dwell.
        if ((wParam & (MK_LBUTTON | MK_RBUTTON | MK_MBUTTON)) == 0)
            StopHoverPoll();
        return 0;
    }
    case WM_LBUTTONDOWN:
        if (isBar)
            ShowEdgeCursor(bar);
        // Taken for a press on a caption: the window system's move loop drags
        // the bar until the button is released.
        SendMessageA(hwnd, WM_NCLBUTTONDOWN, HTCAPTION, 0);
        return 0;
    case WM_LBUTTONDBLCLK:
        if (isBar)
            OpenBar(bar);
        return 0;
    case WM_RBUTTONUP:
        RunBarMenu(hwnd, lParam);
        return 0;
    case WM_MOVING:
        if (isBar)
            ConstrainMove(BarEdge(bar), g_MonitorLayout.monitor[BarMonitor(bar)].rect, g_Settings.Offset,
                          SweepsAlongMonitorOnly(g_MonitorLayout), reinterpret_cast<RECT *>(lParam));
        return TRUE;
    case WM_EXITSIZEMOVE:
        if (isBar)
            SweepAtBar(bar);
        return 0;
    case WM_MOUSELEAVE:
        RestartHoverPoll();
        return 0;
    case WM_ACTIVATE:
        // A bar is in front after an open: another window activated takes the
        // front from it, and the watch restores now rather than at its tick.
        if (isBar && LOWORD(wParam) == WA_INACTIVE)
            PostMessageA(g_EdgeBarSet.hwndOwner, WM_FRONT_CHANGED, 0, 0);
        break;
    case WM_FRONT_CHANGED:
        FrontChanged();
        return 0;
    case WM_HOTKEY:
        HotkeyPressed();
        return 0;
    case WM_DISPLAYCHANGE:
    case WM_FOLLOW_DISPLAY:
        // Every top-level window hears of the change, the topmost bars first;
        // whichever hears first follows it, and the others then find the
        // monitors as they have just been read. Sent while a sweep or a
        // restore waits for another program, it waits for that one's end: its
        // restore would run inside it.
        if (MovesUnderWay())
            PostMessageA(g_EdgeBarSet.hwndOwner, WM_FOLLOW_DISPLAY, 0, 0);
        else
            FollowDisplay();
        return 0;
    case WM_DPICHANGED:
        // The bars keep the places their monitors give them, not the one the
        // window system proposes; the owner reads every monitor again.
        PostMessageA(g_EdgeBarSet.hwndOwner, WM_FOLLOW_DISPLAY, 0, 0);
        return 0;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}
