// What a bar shows and offers under the mouse: its edge cursor, the notice of
// the pointer leaving it, and its menu.
#ifndef BRELLOX_BAR_MOUSE_WIN32_H
#define BRELLOX_BAR_MOUSE_WIN32_H

#include "../core/edges.h"
#include "../platform/platform_win32.h"

// The edge's cursor at its size on the bar's monitor. Each edge's cursor is
// loaded the first time the pointer moves over such a bar and kept for the
// run; loaded again, the old one destroyed, only where a monitor of another
// scale wants another size.
void ShowEdgeCursor(int bar);

// The cursor last loaded for that edge, NULL before the first.
HCURSOR LoadedEdgeCursor(Edge edge);

// Asks for one WM_MOUSELEAVE once the pointer leaves the window.
void TrackMouseLeave(HWND hwnd);

// The bar menu at the point of release (lParam of WM_RBUTTONUP, in the
// window's client coordinates), in the user's language, Start with Windows
// checked when startsWithWindows; returns the command chosen, or 0. The menu
// is loaded for this one pop-up and destroyed before its command is returned.
int RunBarMenu(HWND hwnd, LPARAM lParam, bool startsWithWindows);

#endif
