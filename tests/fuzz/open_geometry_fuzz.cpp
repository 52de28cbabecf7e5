// Where an open puts a bar and its sweep line for any icon spacing, OpenWidth
// (never range-checked), monitor and offset; and the drag-end line of any bar
// rectangle.
//
// Input: one case a line, "EDGE SPACING OPENWIDTH CX CY OFFSET AT THICKNESS
// LEFT TOP": the edge (by its low two bits), the open's values, where a drag
// left the bar (its outer side's coordinate across the edge) and how thick it
// is, and the monitor's top-left corner (0 0 for the primary). Missing
// numbers are 0.
#include "core/settings.h"
#include "fuzz_support.h"
#include "sweep/open_geometry.h"
#include "sweep/watch_rules.h"

namespace {

// The bar moves inward from its edge by spacing times OpenWidth pixels, with
// the 32-bit wrap-around of the system's own arithmetic; it keeps its place
// along the edge, and the sweep line runs along its leading side.
void CheckOpen(Edge edge, int spacing, int openWidth, const RECT &monitor, int offset)
{
    const OpenPlan plan = OpenEdgeGeometry(edge, spacing, openWidth, monitor, offset);
    const int64_t distance = static_cast<int64_t>(spacing) * openWidth;
    const LONG alongX = Wrap32(static_cast<int64_t>(monitor.left) + offset);
    const LONG alongY = Wrap32(static_cast<int64_t>(monitor.top) + offset);
    switch (edge) {
    case EdgeLeft:
        FUZZ_CHECK(plan.bar.x == Wrap32(monitor.left + distance) && plan.bar.y == alongY);
        break;
    case EdgeRight:
        FUZZ_CHECK(plan.bar.x == Wrap32(monitor.right - distance) && plan.bar.y == alongY);
        break;
    case EdgeTop:
        FUZZ_CHECK(plan.bar.y == Wrap32(monitor.top + distance) && plan.bar.x == alongX);
        break;
    default:
        FUZZ_CHECK(plan.bar.y == Wrap32(monitor.bottom - distance) && plan.bar.x == alongX);
        break;
    }
    const bool upright = edge == EdgeLeft || edge == EdgeRight;
    FUZZ_CHECK(plan.line == (upright ? plan.bar.x : plan.bar.y));
}

// After a drag the sweep runs along the bar's inner side, the one facing the
// middle of the screen: a left or top bar dragged to `at` reaches inward to
// at + thickness, a right or bottom bar dragged there begins at `at`.
void CheckDragEnd(Edge edge, int at, int thickness)
{
    const LONG far = Wrap32(static_cast<int64_t>(at) + thickness);
    const RECT upright = {at, 0, far, 768}, lying = {0, at, 1024, far};
    switch (edge) {
    case EdgeLeft:
        FUZZ_CHECK(DragEndLine(edge, upright) == far);
        break;
    case EdgeRight:
        FUZZ_CHECK(DragEndLine(edge, upright) == at);
        break;
    case EdgeTop:
        FUZZ_CHECK(DragEndLine(edge, lying) == far);
        break;
    default:
        FUZZ_CHECK(DragEndLine(edge, lying) == at);
        break;
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    return CheckEachLine(data, size, [](std::string_view line) {
        const Edge edge = TakeEdge(line);
        const int spacing = TakeNumber(line);
        const int openWidth = TakeNumber(line);
        const ScreenSize screen = {TakeNumber(line), TakeNumber(line)};
        const int offset = TakeNumber(line);
        const int at = TakeNumber(line);
        const int thickness = TakeNumber(line);
        const RECT monitor = TakeMonitorOfSize(line, screen);
        CheckOpen(edge, spacing, openWidth, monitor, offset);
        CheckDragEnd(edge, at, thickness);
    });
}
