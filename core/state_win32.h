// The state the whole program shares, one instance each, living for the whole
// run and touched only from the one thread. Defined in app/state_win32.cpp;
// the rules that need no window system never include this header: they take
// what they need as arguments.
#ifndef BRELLOX_STATE_WIN32_H
#define BRELLOX_STATE_WIN32_H

#include "../platform/platform_types.h"
#include "edges.h"
#include "leave_list.h"
#include "monitor_layout.h"
#include "settings.h"

// The hidden owner window and the bars of every monitor by slot (see
// BarSlot); NULL where a monitor's edge has no bar.
struct EdgeBarSet {
    HWND hwndOwner;
    HWND hwndBar[BAR_SLOTS];
};

extern Settings g_Settings;
// The primary monitor's size, for the settings' Offset rule and the options
// dialog's bounds.
extern ScreenSize g_ScreenSize;
extern EdgeBarSet g_EdgeBarSet;
// The settings' Leave list, read at start-up.
extern LeaveList g_LeaveList;
// The monitors as last read.
extern MonitorLayout g_MonitorLayout;
// The module whose resources (cursors, menus, dialogs) Brellox loads.
extern HINSTANCE g_hInstance;

#endif
