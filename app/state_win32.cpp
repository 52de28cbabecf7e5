// The state the whole program shares (core/state.h).
#include "../core/state_win32.h"

Settings g_Settings;
ScreenSize g_ScreenSize;
EdgeBarSet g_EdgeBarSet;
LeaveList g_LeaveList;
MonitorLayout g_MonitorLayout;
HINSTANCE g_hInstance;
