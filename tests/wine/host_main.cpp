// Brellox with a remote control, for the tests: the program's own start-up,
// message loop and code, plus one hidden window through which a test runs an
// open or a drag-end sweep, as a double-click or a drag on a bar does.
#include "app/app_win32.h"
#include "host_control.h"
#include "sweep/sweep_win32.h"

static LRESULT CALLBACK HostControlProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case HOST_OPEN_EDGE:
        OpenEdge(static_cast<Edge>(wParam));
        return 0;
    case HOST_SWEEP_AT_BAR:
        SweepAtBar(static_cast<Edge>(wParam));
        return 0;
    case HOST_TIMED_SWEEP: {
        const WNDENUMPROC sweeps[EDGE_COUNT] = {SweepLeft, SweepRight, SweepTop, SweepBottom};
        LARGE_INTEGER frequency, start, end;
        QueryPerformanceFrequency(&frequency);
        QueryPerformanceCounter(&start);
        EnumWindows(sweeps[wParam], lParam);
        QueryPerformanceCounter(&end);
        return static_cast<LRESULT>((end.QuadPart - start.QuadPart) * 1000000 / frequency.QuadPart);
    }
    case HOST_RESTORE_ALL:
        RestoreAll();
        return 0;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previousInstance, LPSTR, int)
{
    ReplaceRunningCopy();
    if (!StartBrellox(instance, previousInstance))
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
