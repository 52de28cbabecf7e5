#include "bar_geometry.h"

#include "../platform/wrap_int.h"

#include <stdint.h>

namespace {

// The length of a side less both offsets, never below 0.
LONG ShortenedBy(LONG from, LONG to, int offset)
{
    const int64_t length = static_cast<int64_t>(to) - from - 2 * static_cast<int64_t>(offset);
    return length > 0 ? static_cast<LONG>(static_cast<uint32_t>(length)) : 0;
}

} // namespace

BarRect RestRect(Edge edge, const RECT &monitor, int width, int offset)
{
    const RECT &m = monitor;
    const LONG tall = ShortenedBy(m.top, m.bottom, offset);
    const LONG wide = ShortenedBy(m.left, m.right, offset);
    switch (edge) {
    case EdgeLeft:
        return {m.left, WrapAdd(m.top, offset), width, tall};
    case EdgeRight:
        return {WrapSub(m.right, width), WrapAdd(m.top, offset), width, tall};
    case EdgeTop:
        return {WrapAdd(m.left, offset), m.top, wide, width};
    default:
        return {WrapAdd(m.left, offset), WrapSub(m.bottom, width), wide, width};
    }
}

BYTE AlphaByte(int alpha)
{
    if (alpha == 100)
        return 1;
    return static_cast<BYTE>((100 - alpha) * 255 / 100);
}

namespace {

// Shifts [low, high) so that it lies at or after from, its length kept.
void NotBefore(LONG from, LONG *low, LONG *high)
{
    if (*low < from) {
        *high = WrapAdd(from, WrapSub(*high, *low));
        *low = from;
    }
}

// Shifts [low, high) so that it ends at or before to, its length kept.
void NotAfter(LONG to, LONG *low, LONG *high)
{
    if (*high > to) {
        *low = WrapSub(to, WrapSub(*high, *low));
        *high = to;
    }
}

} // namespace

void ConstrainMove(Edge edge, const RECT &monitor, int offset, bool holdToMonitor, RECT *rect)
{
    const BarRect rest = RestRect(edge, monitor, 0, offset);
    if (edge == EdgeLeft || edge == EdgeRight) {
        rect->top = rest.y;
        rect->bottom = WrapAdd(rest.y, rest.cy);
    } else {
        rect->left = rest.x;
        rect->right = WrapAdd(rest.x, rest.cx);
    }
    if (!holdToMonitor)
        return;
    switch (edge) {
    case EdgeLeft:
        NotAfter(monitor.right, &rect->left, &rect->right);
        break;
    case EdgeRight:
        NotBefore(monitor.left, &rect->left, &rect->right);
        break;
    case EdgeTop:
        NotAfter(monitor.bottom, &rect->top, &rect->bottom);
        break;
    default:
        NotBefore(monitor.top, &rect->top, &rect->bottom);
        break;
    }
}

bool BarOnMonitor(const BarRect &rest, const RECT &monitor)
{
    return rest.x >= monitor.left && rest.x < monitor.right && rest.y >= monitor.top && rest.y < monitor.bottom;
}

POINT KeyMenuPoint(Edge edge, const RECT &bar, POINT pointer)
{
    if (edge == EdgeLeft || edge == EdgeRight) {
        const LONG y =
            pointer.y >= bar.top && pointer.y < bar.bottom ? pointer.y : bar.top + (bar.bottom - bar.top) / 2;
        return {edge == EdgeLeft ? bar.right : bar.left, y};
    }
    const LONG x = pointer.x >= bar.left && pointer.x < bar.right ? pointer.x : bar.left + (bar.right - bar.left) / 2;
    return {x, edge == EdgeTop ? bar.bottom : bar.top};
}
