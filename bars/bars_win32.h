// The bars' look and place on the screen.
#ifndef BRELLOX_BARS_WIN32_H
#define BRELLOX_BARS_WIN32_H

#include "../platform/platform.h"

// Gives every enabled bar the bar colour, its rest rectangle and the top of the
// topmost windows, and all four bars the transparency, where layered windows exist.
void ApplyBars();

LRESULT CALLBACK BarWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

#endif
