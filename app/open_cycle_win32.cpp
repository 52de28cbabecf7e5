#include "open_cycle_win32.h"

#include "../bars/bar_appearance_win32.h"
#include "../bars/bar_windows_win32.h"
#include "../core/shell_classes.h"
#include "../core/state_win32.h"
#include "../platform/libraries_win32.h"
#include "../sweep/open_geometry.h"
#include "../sweep/sweeps_win32.h"
#include "../sweep/watch_rules.h"
#include "timers_win32.h"
#include "window_proc_win32.h"

namespace {

const TIMERPROC kWatches[EDGE_COUNT] = {WatchLeft, WatchRight, WatchTop, WatchBottom};

// For each bar opened by a drag of another program, that drag (otherwise
// none), until the bar takes the front after it or another window does.
DragOpen g_DragOpen[BAR_SLOTS];
// Which bars' watches run: the foreground event runs the same step as their
// timers, at once.
bool g_Watching[BAR_SLOTS];

void StartWatch(int bar)
{
    const Edge edge = BarEdge(bar);
    g_Watching[bar] = true;
    SetTimer(g_EdgeBarSet.hwndBar[bar], WatchTimer(edge), WATCH_PERIOD_MS, kWatches[edge]);
}

void StopWatch(int bar)
{
    g_Watching[bar] = false;
    if (g_EdgeBarSet.hwndBar[bar] != NULL)
        KillTimer(g_EdgeBarSet.hwndBar[bar], WatchTimer(BarEdge(bar)));
}

// The window itself if it holds the shell's icon view: "Progman", or on
// desktops with a changing wallpaper a "WorkerW"; NULL otherwise.
HWND IconViewHolder(HWND window)
{
    char className[16] = "";
    GetClassNameA(window, className, sizeof(className));
    return IsIconHostClass(className) && FindWindowExA(window, NULL, "SHELLDLL_DefView", NULL) != NULL ? window : NULL;
}

// Whether a drag of another program (a file dragged) holds the mouse in the
// window in front. Under Wine the mouse only reaches the thread that holds it
// while that thread is in front: a bar taking the front would send the
// button's release elsewhere and strand the drag.
bool DragHoldsFront(HWND foreground)
{
    const DWORD thread = GetWindowThreadProcessId(foreground, NULL);
    GUITHREADINFO info = {};
    info.cbSize = sizeof(info);
    FrontThread front = {};
    front.other = thread != 0 && thread != GetCurrentThreadId() && GetGUIThreadInfo(thread, &info);
    front.capture = info.hwndCapture != NULL;
    front.guiFlags = info.flags;
    front.buttonDown = GetAsyncKeyState(VK_LBUTTON) < 0 || GetAsyncKeyState(VK_RBUTTON) < 0;
    return AnotherProgramDrags(front);
}

void Watch(int slot)
{
    HWND bar = g_EdgeBarSet.hwndBar[slot];
    HWND foreground = GetForegroundWindow();
    // Whichever window shows the icons, a click on one brings it to the front.
    const DesktopWindows desktop = {FindWindowA("Progman", "Program Manager"), GetShellWindow(), GetDesktopWindow(),
                                    IconViewHolder(foreground)};
    const WatchOutcome outcome = WatchTick(foreground, DragHoldsFront(foreground), g_DragOpen[slot], desktop, bar);
    g_DragOpen[slot] = outcome.drag;
    if (outcome.step == WatchWaits)
        return;
    if (outcome.step == WatchTakesFront) {
        // Windows refuses the front to a program that did not get the last
        // input; the drag's window then keeps it, as the desktop would.
        if (!SetForegroundWindow(bar))
            g_DragOpen[slot].refused = true;
        else
            g_DragOpen[slot].front = NULL;
        return;
    }
    RestoreAll();
    StopWatch(slot);
}

// A watch timer's step for the bar it runs on.
void WatchOnTimer(HWND hwnd)
{
    int bar;
    if (BarOfWindow(hwnd, &bar))
        Watch(bar);
}

// The foreground event's hook; NULL when Brellox does not follow the front.
HWINEVENTHOOK g_hFrontHook;
// Hover poll ticks, and how many of them pass between two looks at the window
// in front.
unsigned g_HoverTicks;
const unsigned kTicksPerFrontCheck = 5;
// The window in front, and its rectangle, when the bars were last fitted to it.
HWND g_FittedFront;
RECT g_FittedRect;

// Fits the bars to the window in front when it, or its rectangle, changed
// since they were last fitted.
void FitBarsToNewFront()
{
    HWND front = GetForegroundWindow();
    RECT rect = {};
    GetWindowRect(front, &rect);
    if (front == g_FittedFront && EqualRect(&rect, &g_FittedRect))
        return;
    g_FittedFront = front;
    g_FittedRect = rect;
    FitBarsToFront();
}

// Another window came to the front. Reported by the window system between
// messages, or while a sweep or a restore waits for another program; a step
// taken then would start a restore inside it, so it waits for its end.
VOID CALLBACK FrontEvent(HWINEVENTHOOK, DWORD, HWND, LONG, LONG, DWORD, DWORD)
{
    if (MovesUnderWay())
        PostMessageA(g_EdgeBarSet.hwndOwner, WM_FRONT_CHANGED, 0, 0);
    else
        FrontChanged();
}

// Brings the bar to the front as an open wants it, except while a drag of
// another program holds the mouse: the bar then takes the front once the drag
// is over. False when the bar cannot be brought to the front.
bool BringBarForward(int bar)
{
    return DragHoldsFront(GetForegroundWindow()) || SetForegroundWindow(g_EdgeBarSet.hwndBar[bar]);
}

// An open; dragFront is the window in front when a drag of another program
// opened the bar, which is then not activated, or NULL.
void Open(int bar, HWND dragFront)
{
    const Monitor &monitor = g_MonitorLayout.monitor[BarMonitor(bar)];
    const OpenPlan plan =
        OpenEdgeGeometry(BarEdge(bar), IconSpacing(monitor.dpi), g_Settings.OpenWidth, monitor.rect, g_Settings.Offset);
    SetWindowPos(g_EdgeBarSet.hwndBar[bar], HWND_TOP, plan.bar.x, plan.bar.y, 0, 0,
                 SWP_NOSIZE | (dragFront != NULL ? SWP_NOACTIVATE : 0));
    g_DragOpen[bar] = DragOpen{dragFront, false};
    RunSweep(bar, plan.line);
    StartWatch(bar);
}

// Every watch and the dwell stopped, as a fresh start has them.
void StopOpens()
{
    for (int bar = 0; bar < BAR_SLOTS; ++bar) {
        StopWatch(bar);
        g_DragOpen[bar] = DragOpen{NULL, false};
    }
    KillTimer(g_EdgeBarSet.hwndOwner, TIMER_DWELL_OPEN);
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

void OpenBar(int bar)
{
    Open(bar, NULL);
}

void SweepAtBar(int bar)
{
    RECT rect = {};
    GetWindowRect(g_EdgeBarSet.hwndBar[bar], &rect);
    g_DragOpen[bar] = DragOpen{NULL, false};
    RunSweep(bar, DragEndLine(BarEdge(bar), rect));
    StartWatch(bar);
}

void RestoreAll()
{
    ParkBars();
    RestoreWindows();
    StartHoverPoll();
}

void EndOpens()
{
    StopOpens();
    RestoreAll();
}

void EndOpensForNewLayout(const MonitorLayout &before, const MonitorLayout &after)
{
    StopOpens();
    ParkBars();
    RestoreWindowsForNewLayout(before, after);
    StartHoverPoll();
}

bool AnyOpenStands()
{
    for (bool watching : g_Watching) {
        if (watching)
            return true;
    }
    return false;
}

bool BarOpen(int bar)
{
    return g_Watching[bar];
}

void FollowFront()
{
    g_hFrontHook = SetWinEventHook(EVENT_SYSTEM_FOREGROUND, EVENT_SYSTEM_FOREGROUND, NULL, FrontEvent, 0, 0,
                                   WINEVENT_OUTOFCONTEXT);
}

void StopFollowingFront()
{
    if (g_hFrontHook != NULL) {
        UnhookWinEvent(g_hFrontHook);
        g_hFrontHook = NULL;
    }
}

void FrontChanged()
{
    for (int bar = 0; bar < BAR_SLOTS; ++bar) {
        if (g_Watching[bar])
            Watch(bar);
    }
    FitBarsToNewFront();
}

void StopHoverPoll()
{
    KillTimer(g_EdgeBarSet.hwndOwner, TIMER_HOVER_POLL);
}

void StartHoverPoll()
{
    SetTimer(g_EdgeBarSet.hwndOwner, TIMER_HOVER_POLL, HOVER_POLL_PERIOD_MS, HoverPoll);
}

void RestartHoverPoll()
{
    StartHoverPoll();
    KillTimer(g_EdgeBarSet.hwndOwner, TIMER_DWELL_OPEN);
}

VOID CALLBACK HoverPoll(HWND, UINT, UINT_PTR, DWORD)
{
    // A program that goes full screen while in front (a video's full-screen
    // button) changes no foreground; nor does the window system report the
    // foreground to another program everywhere (Wine does not). Both are seen
    // here, once a second: under Wine each question about another program's
    // window is a round trip to the window server, which at every tick would
    // cost more than the tick itself.
    if (++g_HoverTicks % kTicksPerFrontCheck == 0)
        FitBarsToNewFront();
    ForgetShownRestoreTargets();

    POINT point;
    int bar;
    if (!HeldPointer(&point) || !BarUnderCursor(point, &bar) || !BringBarForward(bar))
        return;
    KillTimer(g_EdgeBarSet.hwndOwner, TIMER_HOVER_POLL);
    SetTimer(g_EdgeBarSet.hwndOwner, TIMER_DWELL_OPEN, DWELL_PERIOD_MS, DwellOpen);
}

VOID CALLBACK DwellOpen(HWND, UINT, UINT_PTR, DWORD)
{
    POINT point;
    if (!HeldPointer(&point))
        return;
    int bar;
    if (!BarUnderCursor(point, &bar)) {
        KillTimer(g_EdgeBarSet.hwndOwner, TIMER_DWELL_OPEN);
        return;
    }
    // The watch expects the bar in the foreground right after the open, or
    // once the drag that opened it is over.
    HWND front = GetForegroundWindow();
    const bool dragging = DragHoldsFront(front);
    if (!dragging && !SetForegroundWindow(g_EdgeBarSet.hwndBar[bar]))
        return;
    Open(bar, dragging ? front : NULL);
    KillTimer(g_EdgeBarSet.hwndOwner, TIMER_DWELL_OPEN);
}

VOID CALLBACK WatchLeft(HWND hwnd, UINT, UINT_PTR, DWORD)
{
    WatchOnTimer(hwnd);
}

VOID CALLBACK WatchRight(HWND hwnd, UINT, UINT_PTR, DWORD)
{
    WatchOnTimer(hwnd);
}

VOID CALLBACK WatchTop(HWND hwnd, UINT, UINT_PTR, DWORD)
{
    WatchOnTimer(hwnd);
}

VOID CALLBACK WatchBottom(HWND hwnd, UINT, UINT_PTR, DWORD)
{
    WatchOnTimer(hwnd);
}
