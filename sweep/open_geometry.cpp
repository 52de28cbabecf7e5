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

WatchStep WatchTick(HWND foreground, bool foregroundDrags, HWND dragFront, const DesktopWindows &desktop, HWND ownBar)
{
    if (foregroundDrags)
        return WatchWaits;
    if (dragFront != NULL && foreground == dragFront)
        return WatchTakesFront;
    const bool desktopInFront = foreground == desktop.programManager || foreground == desktop.shell ||
                                foreground == desktop.desktop || foreground == desktop.iconView;
    return foreground == NULL || desktopInFront || foreground == ownBar ? WatchWaits : WatchRestores;
}
