// Brellox with a remote control, for the tests and the benchmark: the program's
// own start-up, message loop and code, plus one hidden window through which a
// test runs an open or a drag-end sweep, as a double-click or a drag on a bar
// does, or times a sweep or a restore.
#include "app/open_cycle_win32.h"
#include "app/startup_win32.h"
#include "app/timers_win32.h"
#include "core/state_win32.h"
#include "host_control.h"
#include "platform/libraries_win32.h"
#include "sweep/sweep_verdict.h"
#include "sweep/sweeps_win32.h"

template <typename Action> static LRESULT TimeInMicroseconds(Action action)
{
    LARGE_INTEGER frequency, start, end;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    action();
    QueryPerformanceCounter(&end);
    return static_cast<LRESULT>((end.QuadPart - start.QuadPart) * 1000000 / frequency.QuadPart);
}

// A left sweep without the bound on waiting for other programs, for the
// benchmark to weigh what the bound costs: every fact of a visible window read
// at once, the window system's own hung test, and moves that wait until done.
static BOOL CALLBACK WaitingSweepLeft(HWND hwnd, LPARAM line)
{
    CandidateWindow candidate = {};
    candidate.hwnd = hwnd;
    candidate.known = ALL_WINDOW_FACTS;
    candidate.visible = IsWindowVisible(hwnd) != FALSE;
    if (candidate.visible) {
        candidate.rectRead = GetWindowRect(hwnd, &candidate.rect) != FALSE;
        WINDOWPLACEMENT placement = {};
        placement.length = sizeof(placement);
        GetWindowPlacement(hwnd, &placement);
        candidate.showCmd = placement.showCmd;
        candidate.answers = !IsHungAppWindow(hwnd);
    }
    const SweepWorld world = {g_MonitorLayout.monitor[0].rect,
                              false,
                              g_EdgeBarSet.hwndBar,
                              GetDesktopWindow(),
                              GetShellWindow(),
                              MovedWindows(),
                              &g_LeaveList};
    const SweepVerdict verdict = SweepWindow(EdgeLeft, static_cast<LONG>(line), candidate, world);
    if (verdict.action == Realign)
        SetWindowPos(hwnd, HWND_TOP, verdict.x, verdict.y, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
    else if (verdict.action == RecordAndMove)
        SetWindowPos(hwnd, HWND_TOP, verdict.x, verdict.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    return TRUE;
}

// What the sweep asks of a window that reaches the strip about its kind (its
// class, its extended style and whether it is cloaked), timed alone: lParam
// points to the line and the microseconds spent.
struct KindQuestions {
    LONG line;
    LONGLONG microseconds;
};

static BOOL CALLBACK AskKindLeft(HWND hwnd, LPARAM lParam)
{
    KindQuestions *questions = reinterpret_cast<KindQuestions *>(lParam);
    RECT r;
    if (!IsWindowVisible(hwnd) || !GetWindowRect(hwnd, &r) || r.left > questions->line)
        return TRUE;
    questions->microseconds += TimeInMicroseconds([=] {
        char className[CLASS_NAME_BUFFER];
        GetClassNameA(hwnd, className, sizeof(className));
        GetWindowLongA(hwnd, GWL_EXSTYLE);
        WindowCloaked(hwnd);
    });
    return TRUE;
}

static LRESULT CALLBACK HostControlProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case HOST_OPEN_EDGE:
        if (wParam < BAR_SLOTS && g_EdgeBarSet.hwndBar[wParam] != NULL)
            OpenBar(static_cast<int>(wParam));
        return 0;
    case HOST_SWEEP_AT_BAR:
        if (wParam < BAR_SLOTS && g_EdgeBarSet.hwndBar[wParam] != NULL)
            SweepAtBar(static_cast<int>(wParam));
        return 0;
    case HOST_TIMED_SWEEP:
        return TimeInMicroseconds([=] { RunSweep(static_cast<int>(wParam), static_cast<LONG>(lParam)); });
    case HOST_TIMED_WAITING_SWEEP:
        return TimeInMicroseconds([=] { EnumWindows(WaitingSweepLeft, lParam); });
    case HOST_RESTORE_ALL:
        RestoreAll();
        return 0;
    case HOST_TIMED_RESTORE_ALL:
        return TimeInMicroseconds([] { RestoreAll(); });
    case HOST_WATCH_BY_TIMER:
        StopFollowingFront();
        return 0;
    case HOST_STOP_WATCH_TIMERS:
        for (int bar = 0; bar < BAR_SLOTS; ++bar)
            KillTimer(g_EdgeBarSet.hwndBar[bar], WatchTimer(BarEdge(bar)));
        return 0;
    case HOST_TIMED_KIND_QUESTIONS: {
        KindQuestions questions = {static_cast<LONG>(lParam), 0};
        EnumWindows(AskKindLeft, reinterpret_cast<LPARAM>(&questions));
        return static_cast<LRESULT>(questions.microseconds);
    }
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previousInstance, LPSTR, int)
{
    HANDLE replacedCopy = ReplaceRunningCopy();
    if (!StartBrellox(instance, previousInstance, replacedCopy))
        return 0;

    WNDCLASSA wc = {};
    wc.lpfnWndProc = HostControlProc;
    wc.hInstance = instance;
    wc.lpszClassName = HOST_CONTROL_CLASS;
    RegisterClassA(&wc);
    CreateWindowExA(0, HOST_CONTROL_CLASS, "", WS_POPUP, 0, 0, 0, 0, NULL, NULL, instance, NULL);

    const int exitCode = RunMessageLoop();
    EndBrellox();
    return exitCode;
}
