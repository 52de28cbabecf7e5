// Following the display: monitors added, removed, moved or resized, and
// changes of scale.
#ifndef BRELLOX_DISPLAY_WIN32_H
#define BRELLOX_DISPLAY_WIN32_H

#include "../platform/platform_win32.h"

// After a display message: puts back every pushed window, then brings the
// settings' ranges and the bars to the new monitors, as a fresh start there
// would have them (from the settings OK confirmed, where they could not be
// saved). A display message after which the monitors are exactly as before
// changes nothing: an open strip stays open. Monitors just woken or docked may
// report a passing state, so they are read again a moment later.
void FollowDisplay();
VOID CALLBACK DisplaySettled(HWND hwnd, UINT message, UINT_PTR id, DWORD time);

// The primary monitor's size, as the settings' Offset rule and the options
// dialog's bounds take it; read at start-up and with every display change.
void ReadScreenSize();

#endif
