// The window procedure of the class every Brellox window shares, the hidden
// owner window and the bars, and the messages Brellox posts to itself.
#ifndef BRELLOX_WINDOW_PROC_WIN32_H
#define BRELLOX_WINDOW_PROC_WIN32_H

#include "../platform/platform_win32.h"

// Posted to the owner window when the front changed while windows were being
// moved: the step waits until they are.
const UINT WM_FRONT_CHANGED = WM_APP + 1;
// Posted to the owner window to follow the display: a monitor's scale changed,
// or the display changed while windows were being moved.
const UINT WM_FOLLOW_DISPLAY = WM_APP + 2;
// Posted to the owner window when every open is to end (the session ends)
// while windows are being moved: the end waits until they are.
const UINT WM_END_OPENS = WM_APP + 3;

LRESULT CALLBACK BarWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

// The options dialog, whose OK saves, reloads and applies the settings.
void ShowOptionsDialog();

#endif
