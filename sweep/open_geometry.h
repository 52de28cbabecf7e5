// Where an open puts a bar and its sweep line, where a drag end sweeps, and when
// a watch restores: pure rules.
#ifndef BRELLOX_OPEN_GEOMETRY_H
#define BRELLOX_OPEN_GEOMETRY_H

#include "../app/state.h"

struct OpenPlan {
    POINT bar; // the bar's new top-left corner
    LONG line; // the sweep line
};

// An open by openWidth icon cells of iconSpacing pixels each. OpenWidth is not
// range-checked: 0 leaves the bar at its edge, a negative value moves it outward.
OpenPlan OpenEdgeGeometry(Edge edge, int iconSpacing, int openWidth, ScreenSize screen, int offset);

// The sweep line after a drag: the bar's inner edge where the drag left it.
LONG DragEndLine(Edge edge, const RECT &bar);

// The windows that show the desktop and its icons, each NULL where there is
// none: while one of them is in front the user is at the desktop, selecting,
// dragging or starting an icon, not in another program.
struct DesktopWindows {
    HWND programManager; // of class "Progman", titled "Program Manager"
    HWND shell;          // the window system's shell window
    HWND desktop;        // the desktop window, which shows the icons under Wine
    HWND iconView;       // the top-level window that holds the shell's icon view
};

enum WatchStep {
    WatchWaits,
    WatchTakesFront, // a drag that opened the bar is over: the bar takes the front it left to the drag
    WatchRestores,
};

// One tick of a bar's watch. It waits while a drag of another program holds
// the mouse in the window in front (foregroundDrags); once that drag is over,
// with dragFront (the window in front when the drag opened the bar, or NULL)
// still in front, the bar takes the front. Otherwise it restores once any
// window but the desktop's and its own bar is in front; with no window in
// front it waits.
WatchStep WatchTick(HWND foreground, bool foregroundDrags, HWND dragFront, const DesktopWindows &desktop, HWND ownBar);

#endif
