#include "restore_targets.h"

#include "../platform/wrap_int.h"

void NoteRestoreTarget(RestoreTargets *targets, HWND hwnd, LONG x, LONG y, const RECT &from)
{
    RestoreTarget *free = NULL;
    for (RestoreTarget &target : targets->slot) {
        if (target.hwnd == hwnd) {
            target = RestoreTarget{hwnd, x, y, from};
            return;
        }
        if (target.hwnd == NULL && free == NULL)
            free = &target;
    }
    if (free != NULL) {
        *free = RestoreTarget{hwnd, x, y, from};
        return;
    }
    // Every slot waits: one gives way, in turn round the slots.
    targets->slot[targets->next] = RestoreTarget{hwnd, x, y, from};
    targets->next = (targets->next + 1) % MOVED_WINDOW_SLOTS;
}

bool LookUpRestoreTarget(const RestoreTargets &targets, HWND hwnd, RestoreTarget *target)
{
    for (const RestoreTarget &entry : targets.slot) {
        if (hwnd != NULL && entry.hwnd == hwnd) {
            *target = entry;
            return true;
        }
    }
    return false;
}

void ForgetRestoreTarget(RestoreTargets *targets, HWND hwnd)
{
    for (RestoreTarget &entry : targets->slot) {
        if (hwnd != NULL && entry.hwnd == hwnd)
            entry.hwnd = NULL;
    }
}

bool RestoreTargetReached(const RestoreTarget &target, const RECT &now)
{
    const RECT &from = target.from;
    const bool atTarget = now.left == target.x && now.top == target.y;
    const bool movedSince =
        now.left != from.left || now.top != from.top || now.right != from.right || now.bottom != from.bottom;
    return atTarget || movedSince;
}

RECT RectMovedTo(const RECT &r, LONG x, LONG y)
{
    return RECT{x, y, WrapAdd(x, WrapSub(r.right, r.left)), WrapAdd(y, WrapSub(r.bottom, r.top))};
}
