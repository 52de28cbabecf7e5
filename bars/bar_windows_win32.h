// The bar windows themselves: made and ended with the monitors' outer edges,
// and found by handle or by a point on the screen.
#ifndef BRELLOX_BAR_WINDOWS_WIN32_H
#define BRELLOX_BAR_WINDOWS_WIN32_H

#include "../platform/platform_win32.h"

// Gives every outer edge of every monitor its bar and no other edge one: a bar
// is created once for its monitor's edge and kept while that edge is outer.
// New bars start hidden with zero area at their own edge; their thickness and
// whether they are seen come with the settings.
void MatchBarsToLayout();

// Which bar slot a window is; false for the owner window.
bool BarOfWindow(HWND hwnd, int *bar);

// The shown bar under a screen point; false when there is none.
bool BarUnderCursor(POINT point, int *bar);

#endif
