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

// A watch restores once any window but the desktop shell's and its own bar is
// in the foreground; with no foreground window it waits.
bool WatchRestores(HWND foreground, HWND shell, HWND ownBar);

#endif
