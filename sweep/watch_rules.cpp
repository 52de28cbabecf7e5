#include "watch_rules.h"

WatchOutcome WatchTick(HWND foreground, bool foregroundDrags, const DragOpen &drag, const DesktopWindows &desktop,
                       HWND ownBar)
{
    if (foregroundDrags)
        return {WatchWaits, drag};
    if (drag.front != NULL && foreground == drag.front)
        return {drag.refused ? WatchWaits : WatchTakesFront, drag};
    // The drag's window counts no longer once anything else was in front.
    const DragOpen over = {NULL, false};
    const bool desktopInFront = foreground == desktop.programManager || foreground == desktop.shell ||
                                foreground == desktop.desktop || foreground == desktop.iconView;
    const bool waits = foreground == NULL || desktopInFront || foreground == ownBar;
    return {waits ? WatchWaits : WatchRestores, over};
}

bool AnotherProgramDrags(const FrontThread &thread)
{
    return thread.other && thread.capture && thread.buttonDown &&
           (thread.guiFlags & (kGuiInMoveSize | kGuiInMenuMode)) == 0;
}
