// The bar menu's Start with Windows: a shortcut in the user's Startup folder
// that starts this copy, in the folder whose settings file it reads.
#ifndef BRELLOX_STARTUP_SHORTCUT_WIN32_H
#define BRELLOX_STARTUP_SHORTCUT_WIN32_H

#include "../platform/platform_win32.h"

// Whether the Startup folder holds the shortcut and it starts this copy here,
// read afresh from the file each time the menu is shown.
bool StartsWithWindows();

// Removes the shortcut where it starts this copy; otherwise starts a copy of
// this program with the Start with Windows switch, in this folder, to make it
// start this copy, in place of whatever shortcut of that name was there. A
// shortcut that cannot be removed, or a copy that cannot be started, is told
// in a message box.
void ToggleStartWithWindows();

// What a copy started with the switch does, and all it does: writes the
// shortcut through the shell link, tells in a message box when it cannot, and
// returns the process's exit code (0 when the shortcut was written).
int MakeStartupShortcut(HINSTANCE instance);

#endif
