#include "../app/app_win32.h"
#include "../app/state.h"
#include "bar_geometry.h"
#include "bars_win32.h"

namespace {

// Whether each bar stands aside for a full-screen program in front.
bool g_BarAside[EDGE_COUNT];

int EdgeFlag(Edge edge)
{
    const int flags[EDGE_COUNT] = {g_Settings.Left, g_Settings.Right, g_Settings.Top, g_Settings.Bottom};
    return flags[edge];
}

// Whether the window in front is a full-screen program, and its monitor.
bool FrontIsFullScreen(RECT *monitor)
{
    HWND front = GetForegroundWindow();
    FrontWindow facts = {};
    facts.exempt = front == NULL || front == GetDesktopWindow() || front == GetShellWindow() ||
                   GetWindowThreadProcessId(front, NULL) == GetCurrentThreadId();
    if (!facts.exempt) {
        GetClassNameA(front, facts.className, sizeof(facts.className));
        GetWindowRect(front, &facts.rect);
        facts.style = static_cast<DWORD>(GetWindowLongA(front, GWL_STYLE));
        MONITORINFO info = {};
        info.cbSize = sizeof(info);
        GetMonitorInfoA(MonitorFromWindow(front, MONITOR_DEFAULTTONEAREST), &info);
        facts.monitor = info.rcMonitor;
    }
    *monitor = facts.monitor;
    return IsFullScreen(facts);
}

} // namespace

bool BarShown(Edge edge)
{
    return EdgeFlag(edge) != 0 && !g_BarAside[edge];
}

void FitBarsToFront()
{
    RECT monitor;
    const bool fullScreen = FrontIsFullScreen(&monitor);
    for (int i = 0; i < EDGE_COUNT; ++i) {
        const Edge edge = static_cast<Edge>(i);
        const BarRect rest = RestRect(edge, g_ScreenSize, g_Settings.Width, g_Settings.Offset);
        const bool aside = fullScreen && BarOnMonitor(rest, monitor);
        if (aside == g_BarAside[edge])
            continue;
        g_BarAside[edge] = aside;
        if (EdgeFlag(edge) == 0)
            continue;
        HWND bar = g_EdgeBarSet.hwndBar[edge];
        if (aside)
            ShowWindow(bar, SW_HIDE);
        else
            SetWindowPos(bar, HWND_TOPMOST, rest.x, rest.y, rest.cx, rest.cy, SWP_NOACTIVATE | SWP_SHOWWINDOW);
    }
}

void ApplyBars()
{
    // The one bar brush: the one it replaces is released here and nowhere else.
    if (g_hBarBrush != NULL)
        DeleteObject(g_hBarBrush);
    g_hBarBrush = CreateSolidBrush(BarColor(g_Settings.R, g_Settings.G, g_Settings.B));

    for (int i = 0; i < EDGE_COUNT; ++i) {
        const Edge edge = static_cast<Edge>(i);
        if (EdgeFlag(edge) == 0)
            continue;
        HWND bar = g_EdgeBarSet.hwndBar[edge];
        // The background belongs to the class, so all bars share one colour.
        SetClassLongPtrA(bar, GCLP_HBRBACKGROUND, reinterpret_cast<LONG_PTR>(g_hBarBrush));
        InvalidateRect(bar, NULL, TRUE);
        BarRect rest = RestRect(edge, g_ScreenSize, g_Settings.Width, g_Settings.Offset);
        // A bar standing aside for a full-screen program takes its place
        // unseen; none is activated, so none is lifted above that program.
        SetWindowPos(bar, HWND_TOPMOST, rest.x, rest.y, rest.cx, rest.cy,
                     SWP_NOACTIVATE | (g_BarAside[edge] ? 0 : SWP_SHOWWINDOW));
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
