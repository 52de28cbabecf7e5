// Sample windows in a process of their own, for the tests and the benchmarks:
// COUNT windows cascading down the left edge of the screen, answering the
// window system until the process is ended. With EVERY, only every EVERYth
// window lies in the left strip (its left edge below 100); the others cascade
// from x 400. With VANISH_AT, the process ends with exit code 3 as soon as its
// window of that index (counted from 0, the lowest in the z-order) has been
// moved, its other windows vanishing with it.
//
//   brellox_samples.exe COUNT [EVERY [VANISH_AT]]
#include <windows.h>

#include <cstdlib>

namespace {

HWND g_vanishing;

LRESULT CALLBACK SampleWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_WINDOWPOSCHANGED && hwnd == g_vanishing &&
        !(reinterpret_cast<const WINDOWPOS *>(lParam)->flags & SWP_NOMOVE))
        ExitProcess(3);
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

} // namespace

int main(int argc, char **argv)
{
    const int count = argc > 1 ? std::atoi(argv[1]) : 10;
    const int every = argc > 2 && std::atoi(argv[2]) > 0 ? std::atoi(argv[2]) : 1;
    const int vanishAt = argc > 3 ? std::atoi(argv[3]) : -1;
    WNDCLASSA wc = {};
    wc.lpfnWndProc = SampleWindowProc;
    wc.hInstance = GetModuleHandleA(NULL);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = "BrelloxBenchSample";
    RegisterClassA(&wc);
    for (int i = 0; i < count; ++i) {
        HWND hwnd = CreateWindowExA(0, wc.lpszClassName, "sample", WS_OVERLAPPEDWINDOW, i % 100 + (i % every ? 400 : 0),
                                    20 + (i * 3) % 600, 300, 140, NULL, NULL, wc.hInstance, NULL);
        ShowWindow(hwnd, SW_SHOWNOACTIVATE);
        if (i == vanishAt)
            g_vanishing = hwnd;
    }
    MSG msg;
    while (GetMessageA(&msg, NULL, 0, 0) > 0)
        DispatchMessageA(&msg);
    return 0;
}
