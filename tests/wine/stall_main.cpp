// A window whose thread stops answering on request, for the tests of hung
// windows: it stalls for wParam milliseconds when sent WM_APP, as a frozen
// program would.
//
//   brellox_stall.exe LEFT TOP RIGHT BOTTOM
#include <windows.h>

#include <cstdlib>

namespace {

LRESULT CALLBACK StallWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_APP) {
        Sleep(static_cast<DWORD>(wParam));
        return 0;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 5)
        return 2;
    const int left = std::atoi(argv[1]), top = std::atoi(argv[2]);
    const int right = std::atoi(argv[3]), bottom = std::atoi(argv[4]);
    WNDCLASSA wc = {};
    wc.lpfnWndProc = StallWindowProc;
    wc.hInstance = GetModuleHandleA(NULL);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = "BrelloxStall";
    RegisterClassA(&wc);
    HWND hwnd = CreateWindowExA(0, wc.lpszClassName, "stall", WS_OVERLAPPEDWINDOW, left, top, right - left,
                                bottom - top, NULL, NULL, wc.hInstance, NULL);
    ShowWindow(hwnd, SW_SHOWNOACTIVATE);
    MSG msg;
    while (GetMessageA(&msg, NULL, 0, 0) > 0)
        DispatchMessageA(&msg);
    return 0;
}
