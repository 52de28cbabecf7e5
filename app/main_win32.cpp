// Entry point: replaces a running copy, starts, and runs until a quit is posted.
#include "app_win32.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previousInstance, LPSTR, int)
{
    ReplaceRunningCopy();
    if (!StartBrellox(instance, previousInstance))
        return 0;
    const int exitCode = RunMessageLoop();
    EndBrellox();
    return exitCode;
}
