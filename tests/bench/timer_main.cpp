// One window and one 200 ms timer that does nothing: the floor Brellox's CPU
// time at rest is compared with, a program that wakes as often as a light
// poll does and otherwise waits.
#include <windows.h>

static LRESULT CALLBACK TimerWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
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
    wc.lpfnWndProc = TimerWindowProc;
    wc.hInstance = instance;
    wc.lpszClassName = "BrelloxTimer";
    RegisterClassA(&wc);
    HWND hwnd = CreateWindowExA(0, "BrelloxTimer", "Timer", WS_POPUP, 0, 0, 0, 0, NULL, NULL, instance, NULL);
    SetTimer(hwnd, 1, 200, NULL);
    MSG msg;
    while (GetMessageA(&msg, NULL, 0, 0) > 0)
        DispatchMessageA(&msg);
    return static_cast<int>(msg.wParam);
}
