#include "bar_layout.h"

#include <stdint.h>

namespace {

// Whether the spans [a0, a1) and [b0, b1) share a stretch of positive length.
bool Overlap(LONG a0, LONG a1, LONG b0, LONG b1)
{
    return a0 < b1 && b0 < a1;
}

// Whether other touches m's edge: it lies alongside that edge over part of its
// length and reaches from beyond the edge to within a pixel of it, or across it.
bool Touches(const RECT &m, const RECT &other, Edge edge)
{
    // In 64 bits: a pixel beyond an edge at the end of the coordinate range.
    const int64_t gap = 1;
    switch (edge) {
    case EdgeLeft:
        return Overlap(m.top, m.bottom, other.top, other.bottom) && other.left < m.left && other.right >= m.left - gap;
    case EdgeRight:
        return Overlap(m.top, m.bottom, other.top, other.bottom) && other.right > m.right &&
               other.left <= m.right + gap;
    case EdgeTop:
        return Overlap(m.left, m.right, other.left, other.right) && other.top < m.top && other.bottom >= m.top - gap;
    default:
        return Overlap(m.left, m.right, other.left, other.right) && other.bottom > m.bottom &&
               other.top <= m.bottom + gap;
    }
}

} // namespace

bool OuterEdge(const MonitorLayout &layout, int monitor, Edge edge)
{
    for (int other = 0; other < layout.count; ++other) {
        if (other != monitor && Touches(layout.monitor[monitor].rect, layout.monitor[other].rect, edge))
            return false;
    }
    return true;
}

bool BarExists(const MonitorLayout &layout, int bar)
{
    return bar >= 0 && bar < BAR_SLOTS && BarMonitor(bar) < layout.count &&
           OuterEdge(layout, BarMonitor(bar), BarEdge(bar));
}

BarRect BarRest(const MonitorLayout &layout, int bar, int width, int offset)
{
    const Monitor &monitor = layout.monitor[BarMonitor(bar)];
    return RestRect(BarEdge(bar), monitor.rect, ScaledWidth(width, monitor.dpi), offset);
}

int ScaledWidth(int width, int dpi)
{
    if (dpi <= 0)
        dpi = 96;
    return static_cast<int>((static_cast<int64_t>(width) * dpi + 48) / 96);
}

bool HotkeyBar(const MonitorLayout &layout, POINT pointer, const bool enabled[EDGE_COUNT], const bool aside[BAR_SLOTS],
               int *bar)
{
    const int monitor = MonitorUnder(layout, pointer);
    if (monitor >= MONITOR_SLOTS)
        return false;
    for (int edge = 0; edge < EDGE_COUNT; ++edge) {
        const int slot = BarSlot(monitor, static_cast<Edge>(edge));
        if (enabled[edge] && BarExists(layout, slot)) {
            if (aside[slot])
                return false;
            *bar = slot;
            return true;
        }
    }
    return false;
}
