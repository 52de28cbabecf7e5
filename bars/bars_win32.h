// The bars' look and place on the screen.
#ifndef BRELLOX_BARS_WIN32_H
#define BRELLOX_BARS_WIN32_H

#include "../app/state.h"
#include "../platform/platform.h"

// Gives every enabled bar the bar colour, its rest rectangle and the top of the
// topmost windows, and all four bars the transparency, where layered windows exist.
void ApplyBars();

// Whether the bar of that edge is to be seen: its edge is enabled and it does
// not stand aside for a full-screen program.
bool BarShown(Edge edge);

// Sets the bars of the monitor of a full-screen program in front aside
// (hidden), and brings them back at rest, above every other window, once no
// such program is in front.
void FitBarsToFront();

LRESULT CALLBACK BarWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

#endif
