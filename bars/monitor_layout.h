// The monitors the bars lie on and which of their edges carry one: pure rules
// of the layout the window system reports.
#ifndef BRELLOX_MONITOR_LAYOUT_H
#define BRELLOX_MONITOR_LAYOUT_H

#include "../app/state.h"
#include "bar_geometry.h"

// One monitor's whole rectangle and its scale, as dots per inch (96 is 100 %).
struct Monitor {
    RECT rect;
    int dpi;
};

// Monitor 0 is the primary; the others follow in the order the window system
// reported them. A layout always has at least one monitor.
struct MonitorLayout {
    int count;
    Monitor monitor[MONITOR_SLOTS];
};

// The monitors as last read.
extern MonitorLayout g_MonitorLayout;

// The layout of a single screen of that size at 100 %.
MonitorLayout SingleScreenLayout(ScreenSize screen);

// Adds a monitor as the window system reports it: the primary goes first, a
// monitor without area or beyond the slots is not taken.
void AddMonitor(MonitorLayout *layout, const RECT &rect, int dpi, bool primary);

bool SameLayout(const MonitorLayout &a, const MonitorLayout &b);

// Bars are numbered by monitor and edge: monitor 0's left, right, top and
// bottom bars, then monitor 1's, and so on.
inline int BarSlot(int monitor, Edge edge)
{
    return monitor * EDGE_COUNT + edge;
}
inline Edge BarEdge(int bar)
{
    return static_cast<Edge>(bar % EDGE_COUNT);
}
inline int BarMonitor(int bar)
{
    return bar / EDGE_COUNT;
}

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

// What the sweep of a bar judges along its edge: with several monitors only
// windows that overlap its monitor along that edge (rows for the left and
// right bars, columns for the top and bottom ones); on a single screen every
// window, off-screen ones included.
bool SweepsAlongMonitorOnly(const MonitorLayout &layout);

// The monitor a point lies on, or, off every monitor, the nearest one.
int MonitorUnder(const MonitorLayout &layout, POINT point);

// The bar the hot key opens: on the monitor under the pointer, the first bar
// that exists, in the order left, right, top, bottom, of an edge the settings
// enable. False when that monitor has none.
bool HotkeyBar(const MonitorLayout &layout, POINT pointer, const bool enabled[EDGE_COUNT], int *bar);

#endif
