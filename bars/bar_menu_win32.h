// The bar menu, Options, Start with Windows and Close in the user's language: at the point where
// a right-click on a bar was released, or at the bar when keys ask for it.
#ifndef BRELLOX_BAR_MENU_WIN32_H
#define BRELLOX_BAR_MENU_WIN32_H

#include "../platform/platform_win32.h"

// Each returns the command chosen, or 0, with Start with Windows checked
// when startsWithWindows. The menu is loaded for this one pop-up and
// destroyed before its command is returned.

// At the point of release (lParam of WM_RBUTTONUP, in the window's client
// coordinates): its left side there, centred vertically on it.
int RunBarMenuAtRelease(HWND hwnd, LPARAM lParam, bool startsWithWindows);
// On the bar's inner edge near the pointer, opening into the screen; its
// items are reached by the arrow keys and Enter.
int RunBarMenuAtBar(int bar, bool startsWithWindows);

#endif
