// Entry point: replaces a running copy, starts, and runs until a quit is posted.
#include "startup_win32.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previousInstance, LPSTR, int)
{
    HANDLE replacedCopy = ReplaceRunningCopy();
    if (!StartBrellox(instance, previousInstance, replacedCopy))
        return 0;
    const int exitCode = RunMessageLoop();
    EndBrellox();
    return exitCode;
}
