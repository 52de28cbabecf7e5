// A copy of Brellox as the hot key tests need one at its end: a window of
// Brellox's class holding the hot key given on the command line which, asked
// to end, runs on for a second (as a copy finishing a sweep's wait does)
// before its process ends and lets the key go.
//
//   brellox_old_copy.exe MODIFIERS VIRTUAL_KEY
#include <windows.h>

#include "core/window_names.h"

#include <cstdlib>

namespace {

LRESULT CALLBACK OldCopyProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 3)
        return 2;
    WNDCLASSA wc = {};
    wc.lpfnWndProc = OldCopyProc;
    wc.hInstance = GetModuleHandleA(NULL);
    wc.lpszClassName = BRELLOX_CLASS_NAME;
    RegisterClassA(&wc);
    HWND owner =
        CreateWindowExA(0, wc.lpszClassName, BRELLOX_OWNER_NAME, WS_POPUP, 0, 0, 0, 0, NULL, NULL, wc.hInstance, NULL);
    if (owner == NULL || !RegisterHotKey(owner, 1, std::atoi(argv[1]), std::atoi(argv[2])))
        return 3;
    MSG msg;
    while (GetMessageA(&msg, NULL, 0, 0) > 0)
        DispatchMessageA(&msg);
    Sleep(1000);
    return 0;
}
