// Sample windows in a process of their own, for the benchmarks: COUNT windows
// cascading down the left edge of the screen, answering the window system until
// the process is ended. With EVERY, only every EVERYth window lies in the left
// strip (its left edge below 100); the others cascade from x 400.
//
//   brellox_samples.exe COUNT [EVERY]
#include <windows.h>

#include <cstdlib>

int main(int argc, char **argv)
{
    const int count = argc > 1 ? std::atoi(argv[1]) : 10;
    const int every = argc > 2 && std::atoi(argv[2]) > 0 ? std::atoi(argv[2]) : 1;
    WNDCLASSA wc = {};
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = GetModuleHandleA(NULL);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = "BrelloxBenchSample";
    RegisterClassA(&wc);
    for (int i = 0; i < count; ++i) {
        HWND hwnd = CreateWindowExA(0, wc.lpszClassName, "sample", WS_OVERLAPPEDWINDOW, i % 100 + (i % every ? 400 : 0),
                                    20 + (i * 3) % 600, 300, 140, NULL, NULL, wc.hInstance, NULL);
        ShowWindow(hwnd, SW_SHOWNOACTIVATE);
    }
    MSG msg;
    while (GetMessageA(&msg, NULL, 0, 0) > 0)
        DispatchMessageA(&msg);
    return 0;
}
