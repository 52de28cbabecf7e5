// Which edges of the monitors carry a bar, where each bar rests and which one
// the hot key opens: pure rules of the monitor layout.
#ifndef BRELLOX_BAR_LAYOUT_H
#define BRELLOX_BAR_LAYOUT_H

#include "../core/monitor_layout.h"
#include "bar_geometry.h"

// Whether that edge of the monitor is an outer edge of the desktop: no other
// monitor touches it (within a pixel) along any part of its length. Only
// outer edges carry a bar, so crossing from one monitor to the next opens
// nothing.
bool OuterEdge(const MonitorLayout &layout, int monitor, Edge edge);

// Whether the bar of that slot exists in the layout.
bool BarExists(const MonitorLayout &layout, int bar);

// Where the bar of that slot rests: flush with its monitor's edge, Width
// scaled to that monitor, Offset free at both ends.
BarRect BarRest(const MonitorLayout &layout, int bar, int width, int offset);

// A thickness in pixels at 100 % on a monitor of that scale, rounded; a scale
// the system could not give counts as 100 %.
int ScaledWidth(int width, int dpi);

// The bar the hot key opens: on the monitor under the pointer, the first bar
// that exists, in the order left, right, top, bottom, of an edge the settings
// enable. False when that monitor has none, or when that bar stands aside for
// a full-screen program (aside holds every bar slot's flag): a press then
// leaves the program alone.
bool HotkeyBar(const MonitorLayout &layout, POINT pointer, const bool enabled[EDGE_COUNT], const bool aside[BAR_SLOTS],
               int *bar);

#endif
