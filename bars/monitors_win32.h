// Reading the monitors and their scales from the window system.
#ifndef BRELLOX_MONITORS_WIN32_H
#define BRELLOX_MONITORS_WIN32_H

#include "../core/monitor_layout.h"

// The monitors as the window system reports them now, the primary first.
MonitorLayout ReadMonitorLayout();

#endif
