// A bar's rest rectangle, its drag constraint and its alpha for any settings
// values, taken through the range rules a load applies first, on any screen.
//
// Input: one case a line, "EDGE CX CY WIDTH ALPHA OFFSET LEFT TOP RIGHT BOTTOM":
// the edge (0 to 3 left, right, top, bottom, by its low two bits), the screen
// size, the raw settings values and a proposed rectangle for a drag. Missing
// numbers are 0. The system never reports a negative screen size, so a negative
// one is taken without its sign bit.
#include "app/settings.h"
#include "bars/bar_geometry.h"
#include "fuzz_support.h"

#include <math.h>

namespace {

// The bar lies flush with its edge, width pixels thick, and leaves offset pixels
// free at both of its ends.
void CheckRest(Edge edge, ScreenSize screen, int width, int offset)
{
    const BarRect rest = RestRect(edge, screen, width, offset);
    const bool upright = edge == EdgeLeft || edge == EdgeRight;
    const int64_t thickness = upright ? rest.cx : rest.cy;
    const int64_t across = upright ? rest.x : rest.y;
    const int64_t along = upright ? rest.y : rest.x;
    const int64_t length = upright ? rest.cy : rest.cx;
    const int64_t acrossSide = upright ? screen.cx : screen.cy;
    const int64_t alongSide = upright ? screen.cy : screen.cx;
    FUZZ_CHECK(thickness == width);
    if (edge == EdgeLeft || edge == EdgeTop)
        FUZZ_CHECK(across == 0);
    else
        FUZZ_CHECK(across + thickness == acrossSide);
    FUZZ_CHECK(along == offset);
    FUZZ_CHECK(length >= 0);
    FUZZ_CHECK(offset + length + offset == alongSide);
}

// A dragged bar keeps its rest extent along its edge and moves only across it.
void CheckConstrain(Edge edge, ScreenSize screen, int width, int offset, RECT proposed)
{
    RECT held = proposed;
    ConstrainMove(edge, screen, offset, &held);
    const BarRect rest = RestRect(edge, screen, width, offset);
    if (edge == EdgeLeft || edge == EdgeRight) {
        FUZZ_CHECK(held.left == proposed.left && held.right == proposed.right);
        FUZZ_CHECK(held.top == rest.y && static_cast<int64_t>(held.bottom) == static_cast<int64_t>(rest.y) + rest.cy);
    } else {
        FUZZ_CHECK(held.top == proposed.top && held.bottom == proposed.bottom);
        FUZZ_CHECK(held.left == rest.x && static_cast<int64_t>(held.right) == static_cast<int64_t>(rest.x) + rest.cx);
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
    InputLines input(data, size);
    while (!input.AtEnd()) {
        std::string_view line = input.Next();
        const Edge edge = static_cast<Edge>(static_cast<uint32_t>(TakeNumber(line)) & 3);
        const ScreenSize screen = {TakeNumber(line) & INT32_MAX, TakeNumber(line) & INT32_MAX};
        const int width = WidthInRange(TakeNumber(line));
        const int alpha = AlphaInRange(TakeNumber(line));
        const int offset = OffsetInRange(TakeNumber(line), screen);
        const RECT proposed = {TakeNumber(line), TakeNumber(line), TakeNumber(line), TakeNumber(line)};
        CheckRest(edge, screen, width, offset);
        CheckConstrain(edge, screen, width, offset, proposed);
        CheckAlpha(alpha);
    }
    return 0;
}
