// Where restores sent windows whose programs have not carried the move out
// yet. Nothing here needs the window system.
#ifndef BRELLOX_RESTORE_TARGETS_H
#define BRELLOX_RESTORE_TARGETS_H

#include "moved_windows.h"

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
