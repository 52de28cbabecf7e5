// Pushing windows out of a strip and putting them back: the side of the sweeps
// that gathers each window's facts, asks SweepWindow for the verdict and
// carries it out, waiting for other programs within one short bound.
#ifndef BRELLOX_SWEEPS_WIN32_H
#define BRELLOX_SWEEPS_WIN32_H

#include "../core/monitor_layout.h"
#include "../platform/platform_win32.h"
#include "moved_windows.h"

// The EnumWindows callbacks of the four sweeps, run by RunSweep; lParam
// carries the sweep line.
BOOL CALLBACK SweepLeft(HWND hwnd, LPARAM line);
BOOL CALLBACK SweepRight(HWND hwnd, LPARAM line);
BOOL CALLBACK SweepTop(HWND hwnd, LPARAM line);
BOOL CALLBACK SweepBottom(HWND hwnd, LPARAM line);

// One sweep of that bar's edge, on its monitor, over every top-level window:
// it starts afresh on which threads answer, and ends once its last move is
// done or posted.
void RunSweep(int bar, LONG line);

// Puts every recorded window back and empties the table. A window maximized or
// minimized since it was pushed keeps its state, and gets its first place as
// its normal position.
void RestoreWindows();
// The same after the monitors changed from before to after: each window goes
// back to its place on its own monitor wherever that now lies, or, where its
// monitor is gone, onto a monitor that shows it. The windows of a restore the
// change may have overtaken (RestoreOvertaken) go with them.
void RestoreWindowsForNewLayout(const MonitorLayout &before, const MonitorLayout &after);

// Empties the table, as at start-up, before any window exists.
void ForgetMovedWindows();
// The table itself, for the benchmark's sweep that waits for every window.
MovedWindowTable *MovedWindows();

// Forgets the targets of restores whose moves have been carried out by now (or
// whose windows are gone): the hover poll's look at programs that ran late.
void ForgetShownRestoreTargets();

// Whether a sweep or a restore is under way (and may be waiting for another
// program).
bool MovesUnderWay();

#endif
