// The monitors as the window system reports them: a pure value every floor
// of the program reads.
#ifndef BRELLOX_MONITOR_LAYOUT_H
#define BRELLOX_MONITOR_LAYOUT_H

#include "../platform/platform_types.h"
#include "edges.h"
#include "settings.h"

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

// Whether the layout has more than one monitor: bars then keep to their own
// monitors, and a sweep judges only windows alongside its monitor's edge; on
// a single screen every window, off-screen ones included.
bool SeveralMonitors(const MonitorLayout &layout);

// The monitor a point lies on, or, off every monitor, the nearest one.
int MonitorUnder(const MonitorLayout &layout, POINT point);

#endif
