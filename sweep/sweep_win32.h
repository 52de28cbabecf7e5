// Pushing windows out of a strip, putting them back, and the timers that decide when.
#ifndef BRELLOX_SWEEP_WIN32_H
#define BRELLOX_SWEEP_WIN32_H

#include "../app/state.h"
#include "../bars/monitor_layout.h"
#include "../platform/platform.h"

// The EnumWindows callbacks of the four sweeps, run by SweepEdge; lParam
// carries the sweep line.
BOOL CALLBACK SweepLeft(HWND hwnd, LPARAM line);
BOOL CALLBACK SweepRight(HWND hwnd, LPARAM line);
BOOL CALLBACK SweepTop(HWND hwnd, LPARAM line);
BOOL CALLBACK SweepBottom(HWND hwnd, LPARAM line);

// One sweep of that bar's edge over every top-level window: it starts afresh
// on which threads answer, and ends once its last move is done or posted.
void SweepEdge(int bar, LONG line);

// Parks the bars, puts every recorded window back, empties the table and
// (re)starts the hover poll. A window maximized or minimized since it was
// pushed keeps its state, and gets its first place as its normal position.
void RestoreAll();
// The same after the monitors changed from before to after, while the bars
// still stand where before put them: each window goes back to its place on
// its own monitor wherever that now lies, or, where its monitor is gone, onto
// a monitor that shows it.
void RestoreAllForNewLayout(const MonitorLayout &before, const MonitorLayout &after);

// Slides the bar inward by its monitor's open distance and sweeps the
// uncovered strip.
void OpenBar(int bar);
// Sweeps at the inner edge of the bar where a drag left it.
void SweepAtBar(int bar);

// Ends every open as a fresh start has none: the watches and the dwell
// stopped, every pushed window put back and the hover poll running.
void EndOpens();
// The same when the monitors changed from before to after.
void EndOpensForNewLayout(const MonitorLayout &before, const MonitorLayout &after);
// Posted to the owner window when every open is to end (the session ends)
// while windows are being moved: the end waits until they are.
const UINT WM_END_OPENS = WM_APP + 3;
// Whether an open stands: some bar's watch runs.
bool AnyOpenStands();

// Follows the window in front through the window system's foreground event,
// so that a watch restores the moment another window is activated, not at its
// next tick, and the bars stand aside for a full-screen program. The watch
// timers stay, and take the same step, should an event not come.
void FollowFront();
void StopFollowingFront();
// Every running watch's step, and the bars fitted to the window in front.
void FrontChanged();
// Posted to the owner window when the front changed while windows were being
// moved: the step waits until they are.
const UINT WM_FRONT_CHANGED = WM_APP + 1;

// Forgets the targets of restores whose moves have shown by now (or whose
// windows are gone): the hover poll's look at programs that ran late.
void ForgetShownRestoreTargets();

// Whether a sweep or a restore is under way (and may be waiting for another
// program).
bool MovesUnderWay();

void StopHoverPoll();
void RestartHoverPoll();

// The enabled bar under a screen point; false when there is none.
bool BarUnderCursor(POINT point, int *bar);

VOID CALLBACK HoverPoll(HWND hwnd, UINT message, UINT_PTR id, DWORD time);
VOID CALLBACK DwellOpen(HWND hwnd, UINT message, UINT_PTR id, DWORD time);
VOID CALLBACK WatchLeft(HWND hwnd, UINT message, UINT_PTR id, DWORD time);
VOID CALLBACK WatchRight(HWND hwnd, UINT message, UINT_PTR id, DWORD time);
VOID CALLBACK WatchTop(HWND hwnd, UINT message, UINT_PTR id, DWORD time);
VOID CALLBACK WatchBottom(HWND hwnd, UINT message, UINT_PTR id, DWORD time);

const UINT_PTR TIMER_HOVER_POLL = 11;
const UINT_PTR TIMER_WATCH_LEFT = 13; // 14, 15, 16: right, top, bottom; each on its bar
const UINT_PTR TIMER_DWELL_OPEN = 17;

#endif
