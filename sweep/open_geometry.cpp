#include "open_geometry.h"

#include "../platform/wrap_int.h"

OpenPlan OpenEdgeGeometry(Edge edge, int iconSpacing, int openWidth, ScreenSize screen, int offset)
{
    const LONG d = WrapMul(iconSpacing, openWidth);
    switch (edge) {
    case EdgeLeft:
        return {{d, offset}, d};
    case EdgeRight:
        return {{WrapSub(screen.cx, d), offset}, WrapSub(screen.cx, d)};
    case EdgeTop:
        return {{offset, d}, d};
    default:
        return {{offset, WrapSub(screen.cy, d)}, WrapSub(screen.cy, d)};
    }
}

LONG DragEndLine(Edge edge, const RECT &bar)
{
    switch (edge) {
    case EdgeLeft:
        return bar.right;
    case EdgeRight:
        return bar.left;
    case EdgeTop:
        return bar.bottom;
    default:
        return bar.top;
    }
}

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
