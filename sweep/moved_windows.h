// The table of windows pushed aside and the verdict of a sweep on one window.
// Pure rules: the facts about a window come in, the decision goes out, and the
// table records what was moved, so a whole sweep runs without a window system.
#ifndef BRELLOX_MOVED_WINDOWS_H
#define BRELLOX_MOVED_WINDOWS_H

#include "../app/state.h"

enum { MOVED_WINDOW_SLOTS = 256 };

struct MovedWindow {
    HWND hwnd; // NULL marks an empty slot
    LONG savedLeft;
    LONG savedTop;
    // Neither maximized nor minimized when first recorded: its first place is
    // then its normal one, which a restore that finds the window maximized or
    // minimized gives to its placement instead of moving it.
    bool normal;
};

// Slots 0 to count - 1 hold distinct windows in the order of their first move;
// every later slot is empty. Entries are only ever removed all at once.
struct MovedWindowTable {
    MovedWindow slot[MOVED_WINDOW_SLOTS];
    int count;
};

extern MovedWindowTable g_MovedWindows;

void ClearMovedWindows(MovedWindowTable *table = &g_MovedWindows);

// Empties the table and hands out its entries in restore order: from slot 0 up
// to the first empty slot. Returns how many there were.
int TakeMovedWindows(MovedWindowTable *table, MovedWindow entries[MOVED_WINDOW_SLOTS]);

bool IsRecorded(const MovedWindowTable &table, HWND hwnd);

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
    FactAnswers = 16,
    ALL_WINDOW_FACTS = 31,
};

// Extended styles a click-through overlay carries: WS_EX_LAYERED and
// WS_EX_TRANSPARENT, and the styles of a minimized and a maximized window,
// WS_MINIMIZE and WS_MAXIMIZE, named here for the builds without the window
// system.
const DWORD kExLayered = 0x00080000;
const DWORD kExTransparent = 0x00000020;
const DWORD kStyleMinimize = 0x20000000;
const DWORD kStyleMaximize = 0x01000000;
enum { CLASS_NAME_BUFFER = 32 };

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

// Where restores sent windows whose move had not shown in their rectangle by
// the end of the restore: their program had not carried it out yet. Until it
// does, such a window is where its target says, whatever its rectangle still
// reads, and a sweep that meets it records the target as its place.
struct RestoreTarget {
    HWND hwnd; // NULL marks an empty slot
    LONG x;
    LONG y;
    RECT from; // the window's rectangle when the restore sent it
};

struct RestoreTargets {
    RestoreTarget slot[MOVED_WINDOW_SLOTS];
    int next; // the slot that gives way next while every slot waits, in turn round them
};

extern RestoreTargets g_RestoreTargets;

// Notes the target of a restore's move, replacing the window's earlier one.
// A new window takes a free slot; only while none is free does a waiting
// target give way.
void NoteRestoreTarget(RestoreTargets *targets, HWND hwnd, LONG x, LONG y, const RECT &from);
bool LookUpRestoreTarget(const RestoreTargets &targets, HWND hwnd, RestoreTarget *target);
void ForgetRestoreTarget(RestoreTargets *targets, HWND hwnd);

// Whether the window's program has carried out the move, by the rectangle the
// window has now: it stands on the target, or stands otherwise than when the
// move was sent, so its program has taken the move and placed the window as
// it would (the user dragged it since, the program keeps its own place, a
// change of scale resized it). From then on the window's own rectangle is the
// truth, wherever it stands. Its program's answer to a message proves nothing
// here: a thread answers messages sent to it before it takes its posted move
// (Windows), or while that move waits inside its handling.
bool RestoreTargetReached(const RestoreTarget &target, const RECT &now);

// r with its top-left corner at (x, y), its size kept.
RECT RectMovedTo(const RECT &r, LONG x, LONG y);

#endif
