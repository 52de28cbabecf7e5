// A window whose thread stops answering on request, as a frozen program's does,
// for the tests and the benchmark of windows that do not answer
// (stall_control.h). It stops before the next message, inside the next move of
// its window, or answers every message late.
//
//   brellox_stall.exe LEFT TOP RIGHT BOTTOM
#include "stall_control.h"

#include <cstdlib>

namespace {

HANDLE g_stalled;
HANDLE g_release;
bool g_stallWhenMoved;
DWORD g_answerDelayMs;

void Stall()
{
    SetEvent(g_stalled);
    WaitForSingleObject(g_release, INFINITE);
}

LRESULT CALLBACK StallWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (g_answerDelayMs != 0)
        Sleep(g_answerDelayMs);
    switch (message) {
    case STALL_NOW:
        Stall();
        return 0;
    case STALL_WHEN_MOVED:
        g_stallWhenMoved = true;
        return 0;
    case STALL_ANSWER_SLOWLY:
        g_answerDelayMs = static_cast<DWORD>(wParam);
        return 0;
    case WM_WINDOWPOSCHANGING:
        if (g_stallWhenMoved && !(reinterpret_cast<WINDOWPOS *>(lParam)->flags & SWP_NOMOVE)) {
            g_stallWhenMoved = false;
            Stall();
        }
        break;
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
    const DWORD self = GetCurrentProcessId();
    g_stalled = CreateEventA(NULL, FALSE, FALSE, StallEventName("stalled", self).c_str());
    g_release = CreateEventA(NULL, FALSE, FALSE, StallEventName("release", self).c_str());
    WNDCLASSA wc = {};
    wc.lpfnWndProc = StallWindowProc;
    wc.hInstance = GetModuleHandleA(NULL);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = STALL_WINDOW_CLASS;
    RegisterClassA(&wc);
    HWND hwnd = CreateWindowExA(0, wc.lpszClassName, "stall", WS_OVERLAPPEDWINDOW, left, top, right - left,
                                bottom - top, NULL, NULL, wc.hInstance, NULL);
    ShowWindow(hwnd, SW_SHOWNOACTIVATE);
    MSG msg;
    while (GetMessageA(&msg, NULL, 0, 0) > 0)
        DispatchMessageA(&msg);
    return 0;
}
