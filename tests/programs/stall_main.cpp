// Windows whose thread stops answering on request, as a frozen program's does,
// for the tests and the benchmark of windows that do not answer
// (stall_control.h). The thread stops before the next message, inside the next
// move of any of its windows, or answers every message late; or a move of its
// waits while the thread answers every message sent to it, as a program
// whose thread handles sent messages before its own posted ones does; or its
// windows decline every move while the thread answers at once. Window i is
// titled "stall i"; the last one lies on top.
//
//   brellox_stall.exe LEFT TOP RIGHT BOTTOM [LEFT TOP RIGHT BOTTOM ...]
#include "stall_control.h"

#include <cstdlib>

namespace {

HANDLE g_stalled;
HANDLE g_release;
bool g_stallWhenMoved;
bool g_moveLate;
bool g_refuseMoves;
DWORD g_answerDelayMs;

void Stall()
{
    SetEvent(g_stalled);
    WaitForSingleObject(g_release, INFINITE);
}

// Waits until released, handling every message sent to the thread meanwhile.
void WaitAnswering()
{
    SetEvent(g_stalled);
    while (MsgWaitForMultipleObjects(1, &g_release, FALSE, INFINITE, QS_SENDMESSAGE) != WAIT_OBJECT_0) {
        MSG msg;
        PeekMessageA(&msg, NULL, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
    }
}

LRESULT CALLBACK StallWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (g_answerDelayMs != 0) {
        SetEvent(g_stalled);
        Sleep(g_answerDelayMs);
    }
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
    case STALL_MOVE_LATE:
        g_moveLate = true;
        return 0;
    case STALL_REFUSE_MOVES:
        g_refuseMoves = true;
        return 0;
    case WM_WINDOWPOSCHANGING:
        if (reinterpret_cast<WINDOWPOS *>(lParam)->flags & SWP_NOMOVE)
            break;
        if (g_refuseMoves) {
            reinterpret_cast<WINDOWPOS *>(lParam)->flags |= SWP_NOMOVE;
            break;
        }
        if (g_stallWhenMoved) {
            g_stallWhenMoved = false;
            Stall();
        } else if (g_moveLate) {
            g_moveLate = false;
            WaitAnswering();
        }
        break;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

} // namespace

int main(int argc, char **argv)
{
    if (argc < 5 || (argc - 1) % 4 != 0)
        return 2;
    const DWORD self = GetCurrentProcessId();
    g_stalled = CreateEventA(NULL, FALSE, FALSE, StallEventName("stalled", self).c_str());
    g_release = CreateEventA(NULL, FALSE, FALSE, StallEventName("release", self).c_str());
    WNDCLASSA wc = {};
    wc.lpfnWndProc = StallWindowProc;
    wc.hInstance = GetModuleHandleA(NULL);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = STALL_WINDOW_CLASS;
    RegisterClassA(&wc);
    for (int i = 0; 4 * i + 4 < argc; ++i) {
        char **at = argv + 1 + 4 * i;
        const int left = std::atoi(at[0]), top = std::atoi(at[1]), right = std::atoi(at[2]), bottom = std::atoi(at[3]);
        HWND hwnd = CreateWindowExA(0, wc.lpszClassName, StallWindowTitle(i).c_str(), WS_OVERLAPPEDWINDOW, left, top,
                                    right - left, bottom - top, NULL, NULL, wc.hInstance, NULL);
        ShowWindow(hwnd, SW_SHOWNOACTIVATE);
    }
    MSG msg;
    while (GetMessageA(&msg, NULL, 0, 0) > 0)
        DispatchMessageA(&msg);
    return 0;
}
