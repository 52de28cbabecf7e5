// Whether the window in front is a full-screen program, for which the bars
// of its monitor stand aside: a pure rule of what the window system reports.
#ifndef BRELLOX_FULL_SCREEN_H
#define BRELLOX_FULL_SCREEN_H

#include "../platform/platform_types.h"

// WS_CAPTION, named here for the builds without the window system.
const DWORD kStyleCaption = 0x00C00000;

// What decides whether the window in front is a full-screen program.
struct FrontWindow {
    bool exempt; // no window, or the desktop's, the shell's or Brellox's own
    char className[32];
    RECT rect;
    DWORD style;
    bool zoomed;  // maximized
    RECT monitor; // the whole rectangle of the monitor it is on
};

// A full-screen program (a video, slides, a game): a window without a caption
// that covers its whole monitor and is not maximized. The icon host covers it
// too, but is the desktop itself; a maximized window is one the user works in,
// whether it draws its own caption (a browser, an editor) or has the system's.
bool IsFullScreen(const FrontWindow &front);

#endif
