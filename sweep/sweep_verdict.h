// The verdict of a sweep on one window: the facts about it come in, the
// decision goes out, and a window recorded is written into the table, so a
// whole sweep runs without a window system. The sweep's code on the window
// system's side gathers the facts and carries the verdicts out.
#ifndef BRELLOX_SWEEP_VERDICT_H
#define BRELLOX_SWEEP_VERDICT_H

#include "../core/edges.h"
#include "../core/leave_list.h"
#include "moved_windows.h"

// The facts a sweep may need about a window, one bit each, in the order its
// rules need them. Under Wine every fact is a round trip to the window server,
// and the last one a question to the window's own thread, so a sweep gathers
// only the facts that its verdict turns on.
enum WindowFact {
    FactNone = 0,
    FactVisible = 1,
    FactRect = 2,
    FactPlacement = 4,
    FactKind = 8,
    FactProgram = 16,
    FactAnswers = 32,
    ALL_WINDOW_FACTS = 63,
};

// Extended styles a click-through overlay carries: WS_EX_LAYERED and
// WS_EX_TRANSPARENT, and the styles of a minimized and a maximized window,
// WS_MINIMIZE and WS_MAXIMIZE, named here for the builds without the window
// system.
const DWORD kExLayered = 0x00080000;
const DWORD kExTransparent = 0x00000020;
const DWORD kStyleMinimize = 0x20000000;
const DWORD kStyleMaximize = 0x01000000;
// Room for the longest class name the window system takes, so that no name
// is cut and taken for another in the Leave list.
enum { CLASS_NAME_BUFFER = 257 };

// What a sweep knows about one top-level window.
struct CandidateWindow {
    HWND hwnd;
    unsigned known; // the WindowFact bits of the facts below that have been gathered
    bool visible;
    bool rectRead; // false when the window system could not give its rectangle
    RECT rect;
    UINT showCmd; // from its placement; 0 when that could not be read
    DWORD style;  // read with the placement, for whether it is maximized or minimized
    bool answers; // its thread answered in time, so moving it cannot hold the sweep up
    // What kind of window it is: its class name (cut to the buffer), its
    // extended style, and whether the window system keeps it out of sight
    // (cloaked: on another virtual desktop, or a suspended app).
    char className[CLASS_NAME_BUFFER];
    DWORD exStyle;
    bool cloaked;
    bool programListed; // the Leave list names the file of the program it belongs to
};

// AskFact: the verdict turns on a fact not yet gathered; gather it and ask again.
enum SweepAction { Leave, Realign, RecordAndMove, AskFact };

struct SweepVerdict {
    SweepAction action;
    LONG x; // the new top-left corner, for Realign and RecordAndMove
    LONG y;
    WindowFact fact; // the fact to gather, for AskFact
};

// The rest of the world a sweep looks at.
struct SweepWorld {
    RECT monitor;          // the whole monitor whose edge the bar lies on
    bool alongMonitorOnly; // judge only windows alongside that monitor's edge (several monitors)
    const HWND *bars;      // every bar, BAR_SLOTS of them, NULL where there is none
    HWND desktop;
    HWND shell; // the window system's shell window, or NULL
    MovedWindowTable *table;
    const LeaveList *leave; // the windows the user wants left where they are; NULL for none
};

// Whether a window is one a sweep leaves alone for what it is, wherever it
// lies: the shell's own windows (the icon view's host, which covers the whole
// screen, and the taskbars), windows nobody sees (cloaked) and click-through
// overlays, whose clicks reach the icons beneath them anyway.
bool LeftAloneByKind(const CandidateWindow &candidate);

// A window whose facts were gathered up to its thread's answer, which the
// sweep asked for and waits for together with every other thread's: each rule
// before that one let it through, so it is judged again with the rectangle and
// style read then and the answer that came (or did not).
CandidateWindow ListedWindow(HWND hwnd, const RECT &rect, DWORD style, bool answers);

// Whether a window of that style stands in its normal state: neither
// maximized nor minimized.
bool NormalState(DWORD style);

// Judges one window for the sweep of that edge with that line. A RecordAndMove
// verdict has already been written into the table when this returns; nothing is
// written while a fact is still asked for.
SweepVerdict SweepWindow(Edge edge, LONG line, const CandidateWindow &candidate, const SweepWorld &world);

#endif
