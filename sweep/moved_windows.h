// The table of windows pushed aside: which windows, and where each stood
// before its first move. Nothing here needs the window system.
#ifndef BRELLOX_MOVED_WINDOWS_H
#define BRELLOX_MOVED_WINDOWS_H

#include "../platform/platform_types.h"

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

void ClearMovedWindows(MovedWindowTable *table);

// Empties the table and hands out its entries in restore order: from slot 0 up
// to the first empty slot. Returns how many there were.
int TakeMovedWindows(MovedWindowTable *table, MovedWindow entries[MOVED_WINDOW_SLOTS]);

bool IsRecorded(const MovedWindowTable &table, HWND hwnd);

// Records a window after the last entry; false, recording nothing, when the
// table is full.
bool AddMovedWindow(MovedWindowTable *table, const MovedWindow &entry);

#endif
