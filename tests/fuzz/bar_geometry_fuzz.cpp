// A bar's rest rectangle, its drag constraint and its alpha for any settings
// values, taken through the range rules a load applies first, on any monitor
// of any layout; and which edges of a layout carry bars.
//
// Input: one case a line, "EDGE CX CY WIDTH ALPHA OFFSET LEFT TOP RIGHT BOTTOM
// MLEFT MTOP DPI [L T R B]...": the edge (0 to 3 left, right, top, bottom, by
// its low two bits), the primary monitor's size, the raw settings values, a
// proposed rectangle for a drag, the monitor's top-left corner (0 0 on a
// single screen) and scale (0 for 96), then the other monitors' rectangles.
// Missing numbers are 0. The system never reports a negative screen size, so
// a negative one is taken without its sign bit.
#include "bars/bar_geometry.h"
#include "bars/bar_layout.h"
#include "core/settings.h"
#include "fuzz_support.h"

#include <math.h>
#include <stdlib.h>

#include <algorithm>

namespace {

// The bar lies flush with its monitor's edge, width pixels thick, and leaves
// offset pixels free at both of its ends; where the edge is shorter than both
// offsets it is 0 long.
void CheckRest(Edge edge, const RECT &m, int width, int offset)
{
    const BarRect rest = RestRect(edge, m, width, offset);
    const bool upright = edge == EdgeLeft || edge == EdgeRight;
    const int64_t thickness = upright ? rest.cx : rest.cy;
    const int64_t across = upright ? rest.x : rest.y;
    const int64_t along = upright ? rest.y : rest.x;
    const int64_t length = upright ? rest.cy : rest.cx;
    const int64_t acrossEnd = upright ? (edge == EdgeLeft ? m.left : m.right) : (edge == EdgeTop ? m.top : m.bottom);
    const int64_t alongStart = upright ? m.top : m.left;
    const int64_t alongSide = upright ? static_cast<int64_t>(m.bottom) - m.top : static_cast<int64_t>(m.right) - m.left;
    FUZZ_CHECK(thickness == width);
    if (edge == EdgeLeft || edge == EdgeTop)
        FUZZ_CHECK(across == acrossEnd);
    else
        FUZZ_CHECK(across == Wrap32(acrossEnd - thickness));
    FUZZ_CHECK(along == Wrap32(alongStart + offset));
    FUZZ_CHECK(length >= 0);
    if (alongSide >= 2 * static_cast<int64_t>(offset))
        FUZZ_CHECK(length == Wrap32(alongSide - 2 * static_cast<int64_t>(offset)));
    else
        FUZZ_CHECK(length == 0);
}

// A dragged bar keeps its rest extent along its edge and moves only across it;
// held to its monitor, its inner edge stops at the monitor's far side, the
// bar's thickness kept.
void CheckConstrain(Edge edge, const RECT &m, int width, int offset, RECT proposed)
{
    RECT held = proposed;
    ConstrainMove(edge, m, offset, false, &held);
    const BarRect rest = RestRect(edge, m, width, offset);
    if (edge == EdgeLeft || edge == EdgeRight) {
        FUZZ_CHECK(held.left == proposed.left && held.right == proposed.right);
        FUZZ_CHECK(held.top == rest.y && held.bottom == Wrap32(static_cast<int64_t>(rest.y) + rest.cy));
    } else {
        FUZZ_CHECK(held.top == proposed.top && held.bottom == proposed.bottom);
        FUZZ_CHECK(held.left == rest.x && held.right == Wrap32(static_cast<int64_t>(rest.x) + rest.cx));
    }

    RECT onMonitor = proposed;
    ConstrainMove(edge, m, offset, true, &onMonitor);
    const bool upright = edge == EdgeLeft || edge == EdgeRight;
    FUZZ_CHECK(upright ? onMonitor.top == held.top && onMonitor.bottom == held.bottom
                       : onMonitor.left == held.left && onMonitor.right == held.right);
    const LONG low = upright ? proposed.left : proposed.top;
    const LONG high = upright ? proposed.right : proposed.bottom;
    const LONG heldLow = upright ? onMonitor.left : onMonitor.top;
    const LONG heldHigh = upright ? onMonitor.right : onMonitor.bottom;
    FUZZ_CHECK(Wrap32(static_cast<int64_t>(heldHigh) - heldLow) == Wrap32(static_cast<int64_t>(high) - low));
    switch (edge) {
    case EdgeLeft:
        FUZZ_CHECK(proposed.right > m.right ? heldHigh == m.right : heldLow == low && heldHigh == high);
        break;
    case EdgeRight:
        FUZZ_CHECK(proposed.left < m.left ? heldLow == m.left : heldLow == low && heldHigh == high);
        break;
    case EdgeTop:
        FUZZ_CHECK(proposed.bottom > m.bottom ? heldHigh == m.bottom : heldLow == low && heldHigh == high);
        break;
    default:
        FUZZ_CHECK(proposed.top < m.top ? heldLow == m.top : heldLow == low && heldHigh == high);
        break;
    }
}

// Whether the other monitor holds the pixels just beyond that edge of m, next
// to some of the edge's own.
bool HoldsPixelsBeyond(const RECT &m, const RECT &other, Edge edge)
{
    const int64_t rows = std::min<int64_t>(m.bottom, other.bottom) - std::max<int64_t>(m.top, other.top);
    const int64_t columns = std::min<int64_t>(m.right, other.right) - std::max<int64_t>(m.left, other.left);
    switch (edge) {
    case EdgeLeft:
        return rows > 0 && other.left <= static_cast<int64_t>(m.left) - 1 &&
               other.right > static_cast<int64_t>(m.left) - 1;
    case EdgeRight:
        return rows > 0 && other.left <= m.right && other.right > m.right;
    case EdgeTop:
        return columns > 0 && other.top <= static_cast<int64_t>(m.top) - 1 &&
               other.bottom > static_cast<int64_t>(m.top) - 1;
    default:
        return columns > 0 && other.top <= m.bottom && other.bottom > m.bottom;
    }
}

// The first monitor's bars: on a single screen every edge carries one; beside
// others, never an edge with another monitor right beyond it, so a pointer
// crossing from one monitor to the next meets no bar. The bar's thickness is
// Width scaled to its monitor.
void CheckLayout(const MonitorLayout &layout, int width, int offset)
{
    for (int e = 0; e < EDGE_COUNT; ++e) {
        const Edge edge = static_cast<Edge>(e);
        const int bar = BarSlot(0, edge);
        const bool exists = BarExists(layout, bar);
        if (layout.count == 1)
            FUZZ_CHECK(exists);
        for (int other = 1; other < layout.count && exists; ++other)
            FUZZ_CHECK(!HoldsPixelsBeyond(layout.monitor[0].rect, layout.monitor[other].rect, edge));
        const int dpi = layout.monitor[0].dpi;
        const int scaled = ScaledWidth(width, dpi);
        FUZZ_CHECK(llabs(static_cast<int64_t>(scaled) * 96 - static_cast<int64_t>(width) * (dpi > 0 ? dpi : 96)) <= 48);
        const BarRect rest = BarRest(layout, bar, width, offset);
        const BarRect expected = RestRect(edge, layout.monitor[0].rect, scaled, offset);
        FUZZ_CHECK(rest.x == expected.x && rest.y == expected.y && rest.cx == expected.cx && rest.cy == expected.cy);
    }
}

// Opaque at 0 percent, never invisible at 100, fading evenly in between.
void CheckAlpha(int alpha)
{
    const BYTE byte = AlphaByte(alpha);
    FUZZ_CHECK(byte >= 1);
    if (alpha == 0)
        FUZZ_CHECK(byte == 255);
    if (alpha < 100) {
        FUZZ_CHECK(fabs(byte - (100 - alpha) * 2.55) < 1.0);
        FUZZ_CHECK(AlphaByte(alpha + 1) <= byte);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    return CheckEachLine(data, size, [](std::string_view line) {
        const Edge edge = TakeEdge(line);
        const ScreenSize screen = {TakeNumber(line) & INT32_MAX, TakeNumber(line) & INT32_MAX};
        const int width = WidthInRange(TakeNumber(line));
        const int alpha = AlphaInRange(TakeNumber(line));
        const int offset = OffsetInRange(TakeNumber(line), screen);
        const RECT proposed = {TakeNumber(line), TakeNumber(line), TakeNumber(line), TakeNumber(line)};
        const RECT monitor = TakeMonitorOfSize(line, screen);
        const int dpi = TakeNumber(line) & 0xFFFF;
        CheckRest(edge, monitor, width, offset);
        CheckConstrain(edge, monitor, width, offset, proposed);
        CheckAlpha(alpha);
        MonitorLayout layout = {};
        AddMonitor(&layout, monitor, dpi, true);
        while (!line.empty() && layout.count > 0) {
            const RECT other = {TakeNumber(line), TakeNumber(line), TakeNumber(line), TakeNumber(line)};
            AddMonitor(&layout, other, 96, false);
        }
        if (layout.count > 0)
            CheckLayout(layout, width, offset);
    });
}
