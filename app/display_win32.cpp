#include "display_win32.h"

#include "../bars/bar_appearance_win32.h"
#include "../bars/bar_windows_win32.h"
#include "../bars/monitors_win32.h"
#include "../core/state_win32.h"
#include "../options/options_dialog_win32.h"
#include "open_cycle_win32.h"
#include "settings_file_win32.h"
#include "timers_win32.h"

void ReadScreenSize()
{
    g_ScreenSize.cy = GetSystemMetrics(SM_CYSCREEN);
    g_ScreenSize.cx = GetSystemMetrics(SM_CXSCREEN);
}

void FollowDisplay()
{
    SetTimer(g_EdgeBarSet.hwndOwner, TIMER_DISPLAY_SETTLED, DISPLAY_SETTLED_DELAY_MS, DisplaySettled);
    const MonitorLayout layout = ReadMonitorLayout();
    const ScreenSize before = g_ScreenSize;
    ReadScreenSize();
    if (SameLayout(layout, g_MonitorLayout) && before.cx == g_ScreenSize.cx && before.cy == g_ScreenSize.cy)
        return;
    // Recorded positions are the windows' own; the bars' rest and the Offset
    // rule depend on the monitors. Everything goes back while the bars are
    // still where the windows were pushed from, each window to its own
    // monitor wherever that now lies.
    EndOpensForNewLayout(g_MonitorLayout, layout);
    g_MonitorLayout = layout;
    MatchBarsToLayout();
    ReloadSettings();
    ApplyBars();
    FitBarsToFront();
    FitOptionsToScreen(g_ScreenSize);
}

VOID CALLBACK DisplaySettled(HWND, UINT, UINT_PTR, DWORD)
{
    KillTimer(g_EdgeBarSet.hwndOwner, TIMER_DISPLAY_SETTLED);
    if (!SameLayout(ReadMonitorLayout(), g_MonitorLayout))
        FollowDisplay();
}
