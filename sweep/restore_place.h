// Where a restore puts a window back when the window is maximized or
// minimized, or when the monitors changed since it was pushed: pure rules.
#ifndef BRELLOX_RESTORE_PLACE_H
#define BRELLOX_RESTORE_PLACE_H

#include "../core/monitor_layout.h"

// The normal (restored) rectangle to give the placement of a maximized or
// minimized window so that, restored, it stands with its top-left corner at
// (x, y) in screen pixels: normal is the rectangle its placement holds now,
// whose size is kept. A placement holds workspace coordinates for a window that
// is not a tool window: screen pixels less the offset of the work area within
// its monitor (workOffset), which a taskbar along the top or left makes.
RECT NormalRectAt(const RECT &normal, LONG x, LONG y, POINT workOffset, bool toolWindow);

// The monitor a rectangle lies on most; off every monitor, the nearest one.
int MonitorOfRect(const MonitorLayout &layout, const RECT &rect);

// Whether some monitor shows part of the rectangle's top row, where the user
// takes a window by its caption.
bool TopRowShown(const MonitorLayout &layout, const RECT &rect);

// The rectangle moved by as little as it takes to lie wholly on the monitor,
// or, larger than the monitor, from its left or top edge.
RECT FitOnMonitor(const RECT &rect, const RECT &monitor);

// Where a restore puts a window after the monitors changed from before to
// after: first is the place it was pushed from, in the coordinates of before,
// and now its rectangle, whose size it keeps. move false leaves it where it is.
struct RestorePlace {
    bool move;
    LONG x;
    LONG y;
};

// A window whose monitor is still there (the same device) goes back to the
// same place on that monitor, wherever the monitor now lies. A window whose
// monitor is gone stays where it is when a monitor shows its top row (Windows
// moves such windows onto a remaining monitor itself), and otherwise comes
// onto the nearest monitor, wholly where it fits. No window is put where no
// monitor shows its top row.
RestorePlace PlaceAfterDisplayChange(const MonitorLayout &before, const MonitorLayout &after, POINT first,
                                     const RECT &now);

// Programs hear of a display change a moment after it takes effect, and a
// change of the window in front that it causes can come first and start a
// restore with the monitors as they were. A change reported within this long
// of a restore may have overtaken it: the windows that restore put back, and
// that still stand where it put them, are placed again for the new monitors.
enum { RESTORE_OVERTAKEN_MS = 2000 };

// Whether a display change reported at now may have overtaken a restore made
// at restoredAt (both tick counts, which wrap).
bool RestoreOvertaken(DWORD restoredAt, DWORD now);

#endif
