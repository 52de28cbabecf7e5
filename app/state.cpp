#include "state.h"

#include "../bars/monitor_layout.h"

Settings g_Settings;
ScreenSize g_ScreenSize;
EdgeBarSet g_EdgeBarSet;
MonitorLayout g_MonitorLayout;
