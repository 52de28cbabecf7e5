#include "bar_mouse_win32.h"

#include "../core/language_win32.h"
#include "../core/state_win32.h"
#include "../res/resource.h"
#include "bar_layout.h"

namespace {

const WORD kEdgeCursorIds[EDGE_COUNT] = {IDCUR_EDGE_LEFT, IDCUR_EDGE_RIGHT, IDCUR_EDGE_TOP, IDCUR_EDGE_BOTTOM};

// Each edge's cursor as last loaded, and its size.
HCURSOR g_hEdgeCursor[EDGE_COUNT];
int g_EdgeCursorSize[EDGE_COUNT];

} // namespace

void ShowEdgeCursor(int bar)
{
    // The cursors are drawn 16 pixels square at 100 %.
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

HCURSOR LoadedEdgeCursor(Edge edge)
{
    return g_hEdgeCursor[edge];
}

void TrackMouseLeave(HWND hwnd)
{
    // The window system's own leave tracking, which the common controls'
    // wrapper only forwards to; that library stays unloaded at rest.
    TRACKMOUSEEVENT track = {sizeof(track), TME_LEAVE, hwnd, 0};
    TrackMouseEvent(&track);
}

int RunBarMenu(HWND hwnd, LPARAM lParam, bool startsWithWindows)
{
    const WORD menuId = UserLanguageIsJapanese(64) ? IDM_BAR_JA : IDM_BAR_EN;
    HMENU menu = LoadMenuA(g_hInstance, MAKEINTRESOURCEA(menuId));
    if (startsWithWindows)
        CheckMenuItem(menu, IDM_START_WITH_WINDOWS, MF_BYCOMMAND | MF_CHECKED);
    POINT point = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    ClientToScreen(hwnd, &point);
    const int command =
        TrackPopupMenu(GetSubMenu(menu, 0), TPM_RETURNCMD | TPM_VCENTERALIGN, point.x, point.y, 0, hwnd, NULL);
    DestroyMenu(menu);
    return command;
}
