// The bars' look and place on the screen, and whether each is to be seen.
#ifndef BRELLOX_BAR_APPEARANCE_WIN32_H
#define BRELLOX_BAR_APPEARANCE_WIN32_H

#include "../platform/platform_win32.h"

// Gives every enabled bar the bar colour, its rest rectangle and the top of the
// topmost windows, and every bar the transparency, where layered windows exist.
// The one bar brush is created here, and the one it replaces released.
void ApplyBars();

// Shows each bar that is to be seen by the settings and hides the others (the
// settings' visibility step), with that showing command.
void ShowBarsBySettings(int showCommand);

// Whether the bar of that slot is to be seen: it exists, its edge is enabled
// and it does not stand aside for a full-screen program.
bool BarShown(int bar);
// Whether the bar of that slot stands aside for a full-screen program.
bool BarAside(int bar);

// Sets the bars of the monitor of a full-screen program in front aside
// (hidden), and brings them back at rest, above every other window, once no
// such program is in front.
void FitBarsToFront();

// Puts every bar back at its rest place, raised, without activating it; a
// hidden bar stays hidden.
void ParkBars();

#endif
