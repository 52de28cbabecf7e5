// When a bar's watch restores, and whether a drag of another program holds
// the mouse: pure rules of what the window system reports.
#ifndef BRELLOX_WATCH_RULES_H
#define BRELLOX_WATCH_RULES_H

#include "../platform/platform_types.h"

// The windows that show the desktop and its icons, each NULL where there is
// none: while one of them is in front the user is at the desktop, selecting,
// dragging or starting an icon, not in another program.
struct DesktopWindows {
    HWND programManager; // of class "Progman", titled "Program Manager"
    HWND shell;          // the window system's shell window
    HWND desktop;        // the desktop window, which shows the icons under Wine
    HWND iconView;       // the top-level window that holds the shell's icon view
};

enum WatchStep {
    WatchWaits,
    WatchTakesFront, // a drag that opened the bar is over: the bar takes the front it left to the drag
    WatchRestores,
};

// A bar opened by a drag of another program: the window that was in front
// then (NULL when the bar was opened otherwise), and whether the window system
// refused the bar the front once the drag was over, as Windows does to a
// program that did not get the last input.
struct DragOpen {
    HWND front;
    bool refused;
};

struct WatchOutcome {
    WatchStep step;
    DragOpen drag; // what the next tick is to know of the drag
};

// One tick of a bar's watch. It waits while a drag of another program holds
// the mouse in the window in front (foregroundDrags); once that drag is over,
// with the drag's window still in front, the bar takes the front, or, where
// that was refused, waits while the drag's window stays in front. Otherwise it
// restores once any window but the desktop's and its own bar is in front;
// with no window in front it waits.
WatchOutcome WatchTick(HWND foreground, bool foregroundDrags, const DragOpen &drag, const DesktopWindows &desktop,
                       HWND ownBar);

// GUI_INMOVESIZE and GUI_INMENUMODE of a thread's GUI state, named here for
// the builds without the window system.
const DWORD kGuiInMoveSize = 0x2;
const DWORD kGuiInMenuMode = 0x4;

// What the watch sees of the thread whose window is in front.
struct FrontThread {
    bool other;      // a thread of another program (not Brellox's own, and one that exists)
    bool capture;    // it holds the mouse capture
    DWORD guiFlags;  // its GUI state flags
    bool buttonDown; // the left or the right mouse button is down
};

// Whether a drag of another program (a file dragged) holds the mouse: the
// capture held with a button down. A window moved or sized by its frame, a
// menu and a scroll bar also hold the capture, but they are the program's own
// business, not a drag that may end over the icons.
bool AnotherProgramDrags(const FrontThread &thread);

#endif
