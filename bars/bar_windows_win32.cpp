#include "bar_windows_win32.h"

#include "../core/state_win32.h"
#include "../core/window_names.h"
#include "bar_geometry.h"
#include "bar_layout.h"

void MatchBarsToLayout()
{
    for (int bar = 0; bar < BAR_SLOTS; ++bar) {
        HWND hwnd = g_EdgeBarSet.hwndBar[bar];
        const bool wanted = BarExists(g_MonitorLayout, bar);
        if (wanted && hwnd == NULL) {
            const BarRect origin = RestRect(BarEdge(bar), g_MonitorLayout.monitor[BarMonitor(bar)].rect, 0, 0);
            g_EdgeBarSet.hwndBar[bar] =
                CreateWindowExA(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, BRELLOX_CLASS_NAME, BarName(BarEdge(bar)), WS_POPUP,
                                origin.x, origin.y, 0, 0, g_EdgeBarSet.hwndOwner, NULL, g_hInstance, NULL);
        } else if (!wanted && hwnd != NULL) {
            // Out of the set first: its destruction then ends nothing.
            g_EdgeBarSet.hwndBar[bar] = NULL;
            DestroyWindow(hwnd);
        }
    }
}

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

bool BarUnderCursor(POINT point, int *bar)
{
    for (int candidate = 0; candidate < BAR_SLOTS; ++candidate) {
        HWND hwnd = g_EdgeBarSet.hwndBar[candidate];
        // A hidden bar belongs to an edge the user switched off; it keeps its
        // last rectangle, but a held button there must not open it.
        if (hwnd != NULL && IsWindowVisible(hwnd) &&
            SendMessageA(hwnd, WM_NCHITTEST, 0, MAKELPARAM(point.x, point.y)) == HTCLIENT) {
            *bar = candidate;
            return true;
        }
    }
    return false;
}
