// The smallest useful Win32 program: one window and a message loop. The
// benchmarks start it the same way as Brellox to have a floor to compare with.
#include <windows.h>

static LRESULT CALLBACK MinimalWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    WNDCLASSA wc = {};
    wc.lpfnWndProc = MinimalWindowProc;
    wc.hInstance = instance;
    wc.lpszClassName = "BrelloxMinimal";
    RegisterClassA(&wc);
    CreateWindowExA(0, "BrelloxMinimal", "Minimal", WS_POPUP, 0, 0, 0, 0, NULL, NULL, instance, NULL);
    MSG msg;
    while (GetMessageA(&msg, NULL, 0, 0) > 0)
        DispatchMessageA(&msg);
    return static_cast<int>(msg.wParam);
}
