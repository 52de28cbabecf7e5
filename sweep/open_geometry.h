// Where an open puts a bar and its sweep line, where a drag end sweeps, and when
// a watch restores: pure rules.
#ifndef BRELLOX_OPEN_GEOMETRY_H
#define BRELLOX_OPEN_GEOMETRY_H

#include "../app/state.h"

struct OpenPlan {
    POINT bar; // the bar's new top-left corner
    LONG line; // the sweep line
};

// An open by openWidth icon cells of iconSpacing pixels each, inward from that
// edge of the monitor. OpenWidth is not range-checked: 0 leaves the bar at its
// edge, a negative value moves it outward.
OpenPlan OpenEdgeGeometry(Edge edge, int iconSpacing, int openWidth, const RECT &monitor, int offset);

// The sweep line after a drag: the bar's inner edge where the drag left it.
LONG DragEndLine(Edge edge, const RECT &bar);

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
