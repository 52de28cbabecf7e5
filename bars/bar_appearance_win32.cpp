#include "bar_appearance_win32.h"

#include "../core/state_win32.h"
#include "../platform/libraries_win32.h"
#include "bar_geometry.h"
#include "bar_layout.h"
#include "full_screen.h"

namespace {

// Whether each bar stands aside for a full-screen program in front.
bool g_BarAside[BAR_SLOTS];
// The one bar brush, the class background every bar shows.
HBRUSH g_hBarBrush;

bool EdgeOfBarEnabled(int bar)
{
    return EdgeEnabled(g_Settings, BarEdge(bar));
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
        facts.zoomed = IsZoomed(front) != FALSE;
        MONITORINFO info = {};
        info.cbSize = sizeof(info);
        GetMonitorInfoA(MonitorFromWindow(front, MONITOR_DEFAULTTONEAREST), &info);
        facts.monitor = info.rcMonitor;
    }
    *monitor = facts.monitor;
    return IsFullScreen(facts);
}

} // namespace

bool BarAside(int bar)
{
    return g_BarAside[bar];
}

bool BarShown(int bar)
{
    return g_EdgeBarSet.hwndBar[bar] != NULL && EdgeOfBarEnabled(bar) && !g_BarAside[bar];
}

void FitBarsToFront()
{
    RECT monitor;
    const bool fullScreen = FrontIsFullScreen(&monitor);
    for (int bar = 0; bar < BAR_SLOTS; ++bar) {
        if (g_EdgeBarSet.hwndBar[bar] == NULL)
            continue;
        const BarRect rest = BarRest(g_MonitorLayout, bar, g_Settings.Width, g_Settings.Offset);
        const bool aside = fullScreen && BarOnMonitor(rest, monitor);
        if (aside == g_BarAside[bar])
            continue;
        g_BarAside[bar] = aside;
        if (!EdgeOfBarEnabled(bar))
            continue;
        HWND hwnd = g_EdgeBarSet.hwndBar[bar];
        if (aside)
            ShowWindow(hwnd, SW_HIDE);
        else
            SetWindowPos(hwnd, HWND_TOPMOST, rest.x, rest.y, rest.cx, rest.cy, SWP_NOACTIVATE | SWP_SHOWWINDOW);
    }
}

void ApplyBars()
{
    // The one bar brush: the one it replaces is released here and nowhere else.
    if (g_hBarBrush != NULL)
        DeleteObject(g_hBarBrush);
    g_hBarBrush = CreateSolidBrush(SettingsColor(g_Settings));

    for (int bar = 0; bar < BAR_SLOTS; ++bar) {
        HWND hwnd = g_EdgeBarSet.hwndBar[bar];
        if (hwnd == NULL || !EdgeOfBarEnabled(bar))
            continue;
        // The background belongs to the class, so all bars share one colour.
        SetClassLongPtrA(hwnd, GCLP_HBRBACKGROUND, reinterpret_cast<LONG_PTR>(g_hBarBrush));
        InvalidateRect(hwnd, NULL, TRUE);
        const BarRect rest = BarRest(g_MonitorLayout, bar, g_Settings.Width, g_Settings.Offset);
        // A bar standing aside for a full-screen program takes its place
        // unseen; none is activated, so none is lifted above that program.
        SetWindowPos(hwnd, HWND_TOPMOST, rest.x, rest.y, rest.cx, rest.cy,
                     SWP_NOACTIVATE | (g_BarAside[bar] ? 0 : SWP_SHOWWINDOW));
    }

    const SetLayeredWindowAttributesProc pfnSetLayeredWindowAttributes = LayeredWindowAttributes();
    if (pfnSetLayeredWindowAttributes == NULL)
        return;
    const BYTE alpha = AlphaByte(g_Settings.Alpha);
    for (HWND hwnd : g_EdgeBarSet.hwndBar) {
        if (hwnd == NULL)
            continue;
        LONG exStyle = GetWindowLongA(hwnd, GWL_EXSTYLE);
        SetWindowLongA(hwnd, GWL_EXSTYLE, exStyle | WS_EX_LAYERED);
        pfnSetLayeredWindowAttributes(hwnd, 0, alpha, LWA_ALPHA);
    }
}

void ShowBarsBySettings(int showCommand)
{
    for (int bar = 0; bar < BAR_SLOTS; ++bar) {
        HWND hwnd = g_EdgeBarSet.hwndBar[bar];
        if (hwnd == NULL)
            continue;
        ShowWindow(hwnd, BarShown(bar) ? showCommand : SW_HIDE);
        UpdateWindow(hwnd);
    }
}

void ParkBars()
{
    for (int bar = 0; bar < BAR_SLOTS; ++bar) {
        if (g_EdgeBarSet.hwndBar[bar] == NULL)
            continue;
        const BarRect rest = BarRest(g_MonitorLayout, bar, g_Settings.Width, g_Settings.Offset);
        SetWindowPos(g_EdgeBarSet.hwndBar[bar], HWND_TOP, rest.x, rest.y, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE);
    }
}
