// Where an open puts a bar and its sweep line, and where a drag end sweeps:
// pure rules.
#ifndef BRELLOX_OPEN_GEOMETRY_H
#define BRELLOX_OPEN_GEOMETRY_H

#include "../core/edges.h"
#include "../platform/platform_types.h"

struct OpenPlan {
    POINT bar; // the bar's new top-left corner
    LONG line; // the sweep line
};

// An open by openWidth icon cells of iconSpacing pixels each, inward from that
// edge of the monitor. OpenWidth is not range-checked: 0 leaves the bar at its
// edge, a negative value moves it outward.
OpenPlan OpenEdgeGeometry(Edge edge, int iconSpacing, int openWidth, const RECT &monitor, int offset);

// The sweep line after a drag: the bar's inner edge where the drag left it.
LONG DragEndLine(Edge edge, const RECT &bar);

#endif
