// The bars' look and place on the screen.
#ifndef BRELLOX_BARS_WIN32_H
#define BRELLOX_BARS_WIN32_H

#include "../app/state.h"
#include "../platform/platform.h"
#include "monitor_layout.h"

// The monitors as the window system reports them now, the primary first.
MonitorLayout ReadMonitorLayout();
// The width of an icon cell on a monitor of that scale.
int IconSpacing(int dpi);

// Which bar slot a window is; false for the owner window.
bool BarOfWindow(HWND hwnd, int *bar);

// Gives every enabled bar the bar colour, its rest rectangle and the top of the
// topmost windows, and every bar the transparency, where layered windows exist.
void ApplyBars();

// Whether the bar of that slot is to be seen: it exists, its edge is enabled
// and it does not stand aside for a full-screen program.
bool BarShown(int bar);

// Whether the bar of that slot stands aside for a full-screen program.
bool BarAside(int bar);

// Sets the bars of the monitor of a full-screen program in front aside
// (hidden), and brings them back at rest, above every other window, once no
// such program is in front.
void FitBarsToFront();

LRESULT CALLBACK BarWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

#endif
