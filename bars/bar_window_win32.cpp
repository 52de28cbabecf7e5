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

// Which bar a window is; false for the owner window.
bool EdgeOfWindow(HWND hwnd, Edge *edge)
{
    for (int i = 0; i < EDGE_COUNT; ++i) {
        if (g_EdgeBarSet.hwndBar[i] == hwnd) {
            *edge = static_cast<Edge>(i);
            return true;
        }
    }
    return false;
}

void ShowEdgeCursor(Edge edge)
{
    if (g_hEdgeCursor[edge] == NULL)
        g_hEdgeCursor[edge] = static_cast<HCURSOR>(
            LoadImageA(g_hInstance, MAKEINTRESOURCEA(kEdgeCursorIds[edge]), IMAGE_CURSOR, 16, 16, LR_DEFAULTCOLOR));
    SetCursor(g_hEdgeCursor[edge]);
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

LRESULT CALLBACK BarWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    Edge edge = EdgeLeft;
    const bool isBar = EdgeOfWindow(hwnd, &edge);
    switch (message) {
    case WM_DESTROY:
        // Any of the five windows: a newer copy sends this to end this one.
        PostQuitMessage(0);
        return 0;
    case WM_MOUSEMOVE: {
        if (isBar)
            ShowEdgeCursor(edge);
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
            ShowEdgeCursor(edge);
        // Taken for a press on a caption: the window system's move loop drags
        // the bar until the button is released.
        SendMessageA(hwnd, WM_NCLBUTTONDOWN, HTCAPTION, 0);
        return 0;
    case WM_LBUTTONDBLCLK:
        if (isBar)
            OpenEdge(edge);
        return 0;
    case WM_RBUTTONUP:
        RunBarMenu(hwnd, lParam);
        return 0;
    case WM_MOVING:
        if (isBar)
            ConstrainMove(edge, g_ScreenSize, g_Settings.Offset, reinterpret_cast<RECT *>(lParam));
        return TRUE;
    case WM_EXITSIZEMOVE:
        if (isBar)
            SweepAtBar(edge);
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
    case WM_DISPLAYCHANGE:
        // Every top-level window hears of the change; the owner window answers for all.
        if (hwnd == g_EdgeBarSet.hwndOwner)
            FollowDisplay();
        return 0;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}
