// The window procedure of the class every Brellox window shares: the hidden owner
// window and the four bars.
#include "../app/app_win32.h"
#include "bars_win32.h"

LRESULT CALLBACK BarWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_DESTROY:
        // Any of the five windows: a newer copy sends this to end this one.
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}
