// Where a bar rests and how it looks: pure rules of the settings and the screen.
#ifndef BRELLOX_BAR_GEOMETRY_H
#define BRELLOX_BAR_GEOMETRY_H

#include "../core/edges.h"
#include "../platform/platform_types.h"

// A bar's place as left, top, width, height in screen pixels.
struct BarRect {
    LONG x;
    LONG y;
    LONG cx;
    LONG cy;
};

// Flush with that edge of the monitor, width pixels thick, offset pixels free
// at both ends; 0 long where the edge is shorter than the two offsets.
BarRect RestRect(Edge edge, const RECT &monitor, int width, int offset);

// The layered-window alpha for a transparency percentage 0..100: 0 is opaque
// (255); 100 gives 1, never fully invisible.
BYTE AlphaByte(int alpha);

// Holds a dragged bar to its rest extent along its edge, so it moves only across
// it, on its monitor: the left and right bars sideways, the top and bottom
// bars up and down. With several monitors (holdToMonitor) it is held across
// its edge too: its inner edge, where its drag end sweeps, never passes the
// far side of its monitor, so the sweep stays on that monitor. rect is the
// proposed window rectangle in screen pixels, rewritten in place.
void ConstrainMove(Edge edge, const RECT &monitor, int offset, bool holdToMonitor, RECT *rect);

// Where the bar menu opens when keys ask for it, bar being the bar's window
// rectangle: on its inner edge, beside the pointer where the pointer lies
// along the bar, otherwise at the bar's middle. The menu opens from there
// into the screen.
POINT KeyMenuPoint(Edge edge, const RECT &bar, POINT pointer);

// Whether a bar resting at rest belongs to that monitor: its top-left corner
// lies on it.
bool BarOnMonitor(const BarRect &rest, const RECT &monitor);

#endif
