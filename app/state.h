// Process-wide state shared by every part of the program. One instance each,
// living for the whole run, all touched only from the one thread.
#ifndef BRELLOX_STATE_H
#define BRELLOX_STATE_H

#include "../platform/platform_types.h"
#include "settings.h"

// Every per-edge loop runs in this order.
enum Edge { EdgeLeft, EdgeRight, EdgeTop, EdgeBottom, EDGE_COUNT };

// The monitors bars are put on; more are left without bars.
enum { MONITOR_SLOTS = 8, BAR_SLOTS = MONITOR_SLOTS * EDGE_COUNT };

// The bars of every monitor by slot (see BarSlot); NULL where a monitor's
// edge has no bar.
struct EdgeBarSet {
    HWND hwndOwner;
    HWND hwndBar[BAR_SLOTS];
};

extern Settings g_Settings;
extern ScreenSize g_ScreenSize;
extern EdgeBarSet g_EdgeBarSet;

#endif
