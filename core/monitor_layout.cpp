#include "monitor_layout.h"

#include <stdint.h>
#include <string.h>

MonitorLayout SingleScreenLayout(ScreenSize screen)
{
    MonitorLayout layout = {};
    layout.count = 1;
    layout.monitor[0] = Monitor{RECT{0, 0, screen.cx, screen.cy}, 96, ""};
    return layout;
}

void AddMonitor(MonitorLayout *layout, const RECT &rect, int dpi, bool primary, const char *device)
{
    if (rect.right <= rect.left || rect.bottom <= rect.top || (!primary && layout->count >= KNOWN_MONITORS))
        return;
    Monitor added = {rect, dpi, ""};
    strncpy(added.device, device, MONITOR_DEVICE_NAME - 1);
    if (!primary) {
        layout->monitor[layout->count++] = added;
        return;
    }
    // The primary always has its bars: when the layout is full, the monitor
    // reported last gives way.
    if (layout->count == KNOWN_MONITORS)
        --layout->count;
    for (int i = layout->count; i > 0; --i)
        layout->monitor[i] = layout->monitor[i - 1];
    layout->monitor[0] = added;
    ++layout->count;
}

bool SameLayout(const MonitorLayout &a, const MonitorLayout &b)
{
    if (a.count != b.count)
        return false;
    for (int i = 0; i < a.count; ++i) {
        const RECT &p = a.monitor[i].rect;
        const RECT &q = b.monitor[i].rect;
        if (p.left != q.left || p.top != q.top || p.right != q.right || p.bottom != q.bottom ||
            a.monitor[i].dpi != b.monitor[i].dpi || strcmp(a.monitor[i].device, b.monitor[i].device) != 0)
            return false;
    }
    return true;
}

bool SeveralMonitors(const MonitorLayout &layout)
{
    return layout.count > 1;
}

namespace {

// How far a point lies outside a rectangle along one axis; 0 within it.
int64_t Outside(LONG value, LONG low, LONG high)
{
    if (value < low)
        return static_cast<int64_t>(low) - value;
    if (value >= high)
        return static_cast<int64_t>(value) - high + 1;
    return 0;
}

} // namespace

int MonitorUnder(const MonitorLayout &layout, POINT point)
{
    int nearest = 0;
    int64_t nearestDistance = INT64_MAX;
    for (int i = 0; i < layout.count; ++i) {
        const RECT &r = layout.monitor[i].rect;
        const int64_t distance = Outside(point.x, r.left, r.right) + Outside(point.y, r.top, r.bottom);
        if (distance < nearestDistance) {
            nearest = i;
            nearestDistance = distance;
        }
    }
    return nearest;
}
