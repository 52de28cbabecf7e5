// The smallest useful Win32 program: one window and a message loop. The
// benchmarks start it the same way as Brellox to have a floor to compare with.
//
// Built with FLOOR_TIMER_MS as brellox_timer: the same window with one timer
// of that period that does nothing, the floor Brellox's CPU time at rest is
// compared with, a program that wakes as often as a light poll does and
// otherwise waits.
#include <windows.h>

#ifdef FLOOR_TIMER_MS
#define FLOOR_CLASS "BrelloxTimer"
#define FLOOR_TITLE "Timer"
#else
#define FLOOR_CLASS "BrelloxMinimal"
#define FLOOR_TITLE "Minimal"
#endif

static LRESULT CALLBACK FloorWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_TIMER:
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcA(hwnd, message, wParam, lParam);
    }
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    WNDCLASSA wc = {};
    wc.lpfnWndProc = FloorWindowProc;
    wc.hInstance = instance;
    wc.lpszClassName = FLOOR_CLASS;
    RegisterClassA(&wc);
    HWND hwnd = CreateWindowExA(0, FLOOR_CLASS, FLOOR_TITLE, WS_POPUP, 0, 0, 0, 0, NULL, NULL, instance, NULL);
#ifdef FLOOR_TIMER_MS
    SetTimer(hwnd, 1, FLOOR_TIMER_MS, NULL);
#else
    (void)hwnd;
#endif
    MSG msg;
    while (GetMessageA(&msg, NULL, 0, 0) > 0)
        DispatchMessageA(&msg);
    return static_cast<int>(msg.wParam);
}
