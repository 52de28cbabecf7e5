// When to push windows aside and when to put them back: the open, the drag end,
// the watch timers of the bars, and the hover poll and dwell that open a bar a
// button is held over while another program drags something.
#include "../app/app_win32.h"
#include "open_geometry.h"
#include "sweep_win32.h"

namespace {

const TIMERPROC kWatches[EDGE_COUNT] = {WatchLeft, WatchRight, WatchTop, WatchBottom};

void StartWatch(Edge edge)
{
    SetTimer(g_EdgeBarSet.hwndBar[edge], TIMER_WATCH_LEFT + edge, 100, kWatches[edge]);
}

void Watch(Edge edge)
{
    HWND bar = g_EdgeBarSet.hwndBar[edge];
    HWND foreground = GetForegroundWindow();
    HWND shell = FindWindowA("Progman", "Program Manager");
    if (!WatchRestores(foreground, shell, bar))
        return;
    RestoreAll();
    KillTimer(bar, TIMER_WATCH_LEFT + edge);
}

// Where the pointer is while the left or the right button is held; false while
// neither is.
bool HeldPointer(POINT *point)
{
    if (GetAsyncKeyState(VK_LBUTTON) >= 0 && GetAsyncKeyState(VK_RBUTTON) >= 0)
        return false;
    GetCursorPos(point);
    return true;
}

} // namespace

void OpenEdge(Edge edge)
{
    const OpenPlan plan = OpenEdgeGeometry(edge, GetSystemMetrics(SM_CXICONSPACING), g_Settings.OpenWidth, g_ScreenSize,
                                           g_Settings.Offset);
    SetWindowPos(g_EdgeBarSet.hwndBar[edge], HWND_TOP, plan.bar.x, plan.bar.y, 0, 0, SWP_NOSIZE);
    SweepEdge(edge, plan.line);
    StartWatch(edge);
}

void SweepAtBar(Edge edge)
{
    RECT bar = {};
    GetWindowRect(g_EdgeBarSet.hwndBar[edge], &bar);
    SweepEdge(edge, DragEndLine(edge, bar));
    StartWatch(edge);
}

void StopHoverPoll()
{
    KillTimer(g_EdgeBarSet.hwndOwner, TIMER_HOVER_POLL);
}

void RestartHoverPoll()
{
    SetTimer(g_EdgeBarSet.hwndOwner, TIMER_HOVER_POLL, 200, HoverPoll);
    KillTimer(g_EdgeBarSet.hwndOwner, TIMER_DWELL_OPEN);
}

bool BarUnderCursor(POINT point, Edge *edge)
{
    for (int candidate = 0; candidate < EDGE_COUNT; ++candidate) {
        HWND bar = g_EdgeBarSet.hwndBar[candidate];
        // A hidden bar belongs to an edge the user switched off; it keeps its
        // last rectangle, but a held button there must not open it.
        if (IsWindowVisible(bar) && SendMessageA(bar, WM_NCHITTEST, 0, MAKELPARAM(point.x, point.y)) == HTCLIENT) {
            *edge = static_cast<Edge>(candidate);
            return true;
        }
    }
    return false;
}

VOID CALLBACK HoverPoll(HWND, UINT, UINT_PTR, DWORD)
{
    POINT point;
    Edge edge;
    if (!HeldPointer(&point) || !BarUnderCursor(point, &edge) || !SetForegroundWindow(g_EdgeBarSet.hwndBar[edge]))
        return;
    KillTimer(g_EdgeBarSet.hwndOwner, TIMER_HOVER_POLL);
    SetTimer(g_EdgeBarSet.hwndOwner, TIMER_DWELL_OPEN, 300, DwellOpen);
}

VOID CALLBACK DwellOpen(HWND, UINT, UINT_PTR, DWORD)
{
    POINT point;
    if (!HeldPointer(&point))
        return;
    Edge edge;
    if (!BarUnderCursor(point, &edge)) {
        KillTimer(g_EdgeBarSet.hwndOwner, TIMER_DWELL_OPEN);
        return;
    }
    // The watch expects the bar in the foreground right after the open.
    if (!SetForegroundWindow(g_EdgeBarSet.hwndBar[edge]))
        return;
    OpenEdge(edge);
    KillTimer(g_EdgeBarSet.hwndOwner, TIMER_DWELL_OPEN);
}

VOID CALLBACK WatchLeft(HWND, UINT, UINT_PTR, DWORD)
{
    Watch(EdgeLeft);
}

VOID CALLBACK WatchRight(HWND, UINT, UINT_PTR, DWORD)
{
    Watch(EdgeRight);
}

VOID CALLBACK WatchTop(HWND, UINT, UINT_PTR, DWORD)
{
    Watch(EdgeTop);
}

VOID CALLBACK WatchBottom(HWND, UINT, UINT_PTR, DWORD)
{
    Watch(EdgeBottom);
}
