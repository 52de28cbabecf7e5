// Entry point: replaces a running copy, starts, and runs until a quit is posted.
// A copy started by the bar menu's Start with Windows writes the shortcut and
// ends, leaving the running copy alone.
#include "startup_shortcut.h"
#include "startup_shortcut_win32.h"
#include "startup_win32.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previousInstance, LPSTR commandLine, int)
{
    if (IsStartWithWindowsSwitch(commandLine))
        return MakeStartupShortcut(instance);
    HANDLE replacedCopy = ReplaceRunningCopy();
    if (!StartBrellox(instance, previousInstance, replacedCopy))
        return 0;
    const int exitCode = RunMessageLoop();
    EndBrellox();
    return exitCode;
}
