// The monitors the bars lie on and which of their edges carry one: pure rules
// of the layout the window system reports.
#ifndef BRELLOX_MONITOR_LAYOUT_H
#define BRELLOX_MONITOR_LAYOUT_H

#include "../app/state.h"
#include "bar_geometry.h"

// The monitors a layout knows: those past the bar slots carry no bar, but
// their edges still make the edges they touch inner ones.
enum { KNOWN_MONITORS = 16 };
// The room for a monitor's device name, as the window system gives it
// (CCHDEVICENAME), its terminator included.
enum { MONITOR_DEVICE_NAME = 32 };

// One monitor's whole rectangle, its scale as dots per inch (96 is 100 %) and
// the name of its display device, which stays the same while the monitor is
// moved in the virtual screen.
struct Monitor {
    RECT rect;
    int dpi;
    char device[MONITOR_DEVICE_NAME];
};

// Monitor 0 is the primary; the others follow in the order the window system
// reported them, and the first MONITOR_SLOTS of them carry bars. A layout
// always has at least one monitor.
struct MonitorLayout {
    int count;
    Monitor monitor[KNOWN_MONITORS];
};

// The monitors as last read.
extern MonitorLayout g_MonitorLayout;

// The layout of a single screen of that size at 100 %.
MonitorLayout SingleScreenLayout(ScreenSize screen);

// Adds a monitor as the window system reports it: the primary goes first, and
// takes the place of the last one when the layout is full; a monitor without
// area, or another one beyond what the layout knows, is not taken. The device
// name is cut to its room.
void AddMonitor(MonitorLayout *layout, const RECT &rect, int dpi, bool primary, const char *device = "");

// Whether the monitors are the same devices in the same places at the same
// scales.
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
// enable. False when that monitor has none, or when that bar stands aside for
// a full-screen program (aside holds every bar slot's flag): a press then
// leaves the program alone.
bool HotkeyBar(const MonitorLayout &layout, POINT pointer, const bool enabled[EDGE_COUNT], const bool aside[BAR_SLOTS],
               int *bar);

#endif
