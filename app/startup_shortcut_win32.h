// The bar menu's Start with Windows: a shortcut in the user's Startup folder
// that starts this copy, in the folder whose settings file it reads.
#ifndef BRELLOX_STARTUP_SHORTCUT_WIN32_H
#define BRELLOX_STARTUP_SHORTCUT_WIN32_H

// Whether the Startup folder holds the shortcut and it starts this copy here,
// read afresh each time the menu is shown.
bool StartsWithWindows();

// Removes the shortcut where it starts this copy; otherwise makes it start
// this copy, in place of whatever shortcut of that name was there. A shortcut
// that cannot be made or removed is told in a message box.
void ToggleStartWithWindows();

#endif
