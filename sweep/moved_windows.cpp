#include "moved_windows.h"

void ClearMovedWindows(MovedWindowTable *table)
{
    for (MovedWindow &entry : table->slot)
        entry = MovedWindow{NULL, 0, 0, false};
    table->count = 0;
}

int TakeMovedWindows(MovedWindowTable *table, MovedWindow entries[MOVED_WINDOW_SLOTS])
{
    int taken = 0;
    while (taken < MOVED_WINDOW_SLOTS && table->slot[taken].hwnd != NULL) {
        entries[taken] = table->slot[taken];
        table->slot[taken].hwnd = NULL;
        ++taken;
    }
    table->count = 0;
    return taken;
}

bool AddMovedWindow(MovedWindowTable *table, const MovedWindow &entry)
{
    if (table->count >= MOVED_WINDOW_SLOTS)
        return false;
    table->slot[table->count] = entry;
    ++table->count;
    if (table->count < MOVED_WINDOW_SLOTS)
        table->slot[table->count].hwnd = NULL;
    return true;
}

bool IsRecorded(const MovedWindowTable &table, HWND hwnd)
{
    for (const MovedWindow &entry : table.slot) {
        if (entry.hwnd == hwnd)
            return true;
    }
    return false;
}
