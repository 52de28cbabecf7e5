#include "../app/app_win32.h"
#include "../app/state.h"
#include "bar_geometry.h"
#include "bars_win32.h"

void ApplyBars()
{
    // The one bar brush: the one it replaces is released here and nowhere else.
    if (g_hBarBrush != NULL)
        DeleteObject(g_hBarBrush);
    g_hBarBrush = CreateSolidBrush(BarColor(g_Settings.R, g_Settings.G, g_Settings.B));

    const int flags[EDGE_COUNT] = {g_Settings.Left, g_Settings.Right, g_Settings.Top, g_Settings.Bottom};
    for (int edge = 0; edge < EDGE_COUNT; ++edge) {
        if (flags[edge] == 0)
            continue;
        HWND bar = g_EdgeBarSet.hwndBar[edge];
        // The background belongs to the class, so all bars share one colour.
        SetClassLongPtrA(bar, GCLP_HBRBACKGROUND, reinterpret_cast<LONG_PTR>(g_hBarBrush));
        InvalidateRect(bar, NULL, TRUE);
        BarRect rest = RestRect(static_cast<Edge>(edge), g_ScreenSize, g_Settings.Width, g_Settings.Offset);
        SetWindowPos(bar, HWND_TOPMOST, rest.x, rest.y, rest.cx, rest.cy, SWP_SHOWWINDOW);
    }

    if (g_pfnSetLayeredWindowAttributes == NULL)
        return;
    const BYTE alpha = AlphaByte(g_Settings.Alpha);
    for (HWND bar : g_EdgeBarSet.hwndBar) {
        LONG exStyle = GetWindowLongA(bar, GWL_EXSTYLE);
        SetWindowLongA(bar, GWL_EXSTYLE, exStyle | WS_EX_LAYERED);
        g_pfnSetLayeredWindowAttributes(bar, 0, alpha, LWA_ALPHA);
    }
}
