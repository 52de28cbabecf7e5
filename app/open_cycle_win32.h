// When windows are pushed aside and when everything goes back: the open, the
// drag end, the watch of each open bar, and the hover poll and dwell that open
// a bar a button is held over while another program drags something. Each
// joins the bars and the sweeps.
#ifndef BRELLOX_OPEN_CYCLE_WIN32_H
#define BRELLOX_OPEN_CYCLE_WIN32_H

#include "../core/monitor_layout.h"
#include "../platform/platform_win32.h"

// Slides the bar inward by its monitor's open distance and sweeps the
// uncovered strip; its watch starts.
void OpenBar(int bar);
// Sweeps at the inner edge of the bar where a drag left it; its watch starts.
void SweepAtBar(int bar);

// Parks the bars, puts every recorded window back, empties the table and
// (re)starts the hover poll.
void RestoreAll();

// Ends every open as a fresh start has none: the watches and the dwell
// stopped, every pushed window put back and the hover poll running.
void EndOpens();
// The same when the monitors changed from before to after, while the bars
// still stand where before put them.
void EndOpensForNewLayout(const MonitorLayout &before, const MonitorLayout &after);
// Whether an open stands: some bar's watch runs.
bool AnyOpenStands();
// Whether that bar's open stands: its watch runs.
bool BarOpen(int bar);

// Follows the window in front through the window system's foreground event,
// so that a watch restores the moment another window is activated, not at its
// next tick, and the bars stand aside for a full-screen program. The watch
// timers stay, and take the same step, should an event not come.
void FollowFront();
void StopFollowingFront();
// Every running watch's step, and the bars fitted to the window in front.
void FrontChanged();

void StartHoverPoll();
void StopHoverPoll();
// The hover poll started afresh and the dwell stopped: the pointer left a bar.
void RestartHoverPoll();

VOID CALLBACK HoverPoll(HWND hwnd, UINT message, UINT_PTR id, DWORD time);
VOID CALLBACK DwellOpen(HWND hwnd, UINT message, UINT_PTR id, DWORD time);
VOID CALLBACK WatchLeft(HWND hwnd, UINT message, UINT_PTR id, DWORD time);
VOID CALLBACK WatchRight(HWND hwnd, UINT message, UINT_PTR id, DWORD time);
VOID CALLBACK WatchTop(HWND hwnd, UINT message, UINT_PTR id, DWORD time);
VOID CALLBACK WatchBottom(HWND hwnd, UINT message, UINT_PTR id, DWORD time);

#endif
