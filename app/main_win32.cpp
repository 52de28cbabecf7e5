// Entry point: replaces a running copy, starts, and runs until a quit is posted.
#include "app_win32.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previousInstance, LPSTR, int)
{
    HWND running = FindWindowA(BRELLOX_CLASS_NAME, NULL);
    if (running != NULL)
        SendMessageA(running, WM_DESTROY, 0, 0);

    if (!StartBrellox(instance, previousInstance))
        return 0;
    const int exitCode = RunMessageLoop();
    EndBrellox();
    return exitCode;
}
