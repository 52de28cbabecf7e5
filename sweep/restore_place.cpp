#include "restore_place.h"

#include "../platform/wrap_int.h"
#include "restore_targets.h"

#include <stdint.h>
#include <string.h>

RECT NormalRectAt(const RECT &normal, LONG x, LONG y, POINT workOffset, bool toolWindow)
{
    if (!toolWindow) {
        x = WrapSub(x, workOffset.x);
        y = WrapSub(y, workOffset.y);
    }
    return RectMovedTo(normal, x, y);
}

namespace {

// The length two spans share; 0 when they do not overlap.
int64_t Shared(LONG a0, LONG a1, LONG b0, LONG b1)
{
    const int64_t low = a0 > b0 ? a0 : b0;
    const int64_t high = a1 < b1 ? a1 : b1;
    return high > low ? high - low : 0;
}

// How far a span lies from another; 0 when they overlap or touch.
int64_t Gap(LONG a0, LONG a1, LONG b0, LONG b1)
{
    if (a1 <= b0)
        return static_cast<int64_t>(b0) - a1;
    if (b1 <= a0)
        return static_cast<int64_t>(a0) - b1;
    return 0;
}

// Where a span of that length starting at from lies within [low, high): moved
// as little as it takes, or from low where it is longer.
LONG FitSpan(LONG from, int64_t length, LONG low, LONG high)
{
    if (from + length > high)
        from = static_cast<LONG>(high - length);
    return from < low ? low : from;
}

int DeviceIndex(const MonitorLayout &layout, const char *device)
{
    for (int i = 0; i < layout.count; ++i) {
        if (strcmp(layout.monitor[i].device, device) == 0)
            return i;
    }
    return -1;
}

RestorePlace MoveTo(const RECT &r)
{
    return RestorePlace{true, r.left, r.top};
}

} // namespace

int MonitorOfRect(const MonitorLayout &layout, const RECT &rect)
{
    int best = 0;
    int64_t bestArea = 0;
    int64_t bestGap = INT64_MAX;
    for (int i = 0; i < layout.count; ++i) {
        const RECT &m = layout.monitor[i].rect;
        const int64_t area =
            Shared(rect.left, rect.right, m.left, m.right) * Shared(rect.top, rect.bottom, m.top, m.bottom);
        const int64_t gap = Gap(rect.left, rect.right, m.left, m.right) + Gap(rect.top, rect.bottom, m.top, m.bottom);
        if (area > bestArea || (bestArea == 0 && area == 0 && gap < bestGap)) {
            best = i;
            bestArea = area;
            bestGap = gap;
        }
    }
    return best;
}

bool TopRowShown(const MonitorLayout &layout, const RECT &rect)
{
    for (int i = 0; i < layout.count; ++i) {
        const RECT &m = layout.monitor[i].rect;
        if (m.top <= rect.top && rect.top < m.bottom && Shared(rect.left, rect.right, m.left, m.right) > 0)
            return true;
    }
    return false;
}

RECT FitOnMonitor(const RECT &rect, const RECT &monitor)
{
    const int64_t width = static_cast<int64_t>(rect.right) - rect.left;
    const int64_t height = static_cast<int64_t>(rect.bottom) - rect.top;
    return RectMovedTo(rect, FitSpan(rect.left, width, monitor.left, monitor.right),
                       FitSpan(rect.top, height, monitor.top, monitor.bottom));
}

RestorePlace PlaceAfterDisplayChange(const MonitorLayout &before, const MonitorLayout &after, POINT first,
                                     const RECT &now)
{
    const RECT home = RectMovedTo(now, first.x, first.y);
    const Monitor &was = before.monitor[MonitorOfRect(before, home)];
    const int same = DeviceIndex(after, was.device);
    if (same >= 0) {
        const RECT &is = after.monitor[same].rect;
        const RECT moved = RectMovedTo(now, WrapAdd(first.x, WrapSub(is.left, was.rect.left)),
                                       WrapAdd(first.y, WrapSub(is.top, was.rect.top)));
        return MoveTo(TopRowShown(after, moved) ? moved : FitOnMonitor(moved, is));
    }
    if (TopRowShown(after, now))
        return RestorePlace{false, now.left, now.top};
    return MoveTo(FitOnMonitor(home, after.monitor[MonitorOfRect(after, home)].rect));
}

bool RestoreOvertaken(DWORD restoredAt, DWORD now)
{
    return static_cast<DWORD>(now - restoredAt) < RESTORE_OVERTAKEN_MS;
}
