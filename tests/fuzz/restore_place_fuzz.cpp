// Where a restore puts a window after the monitors changed, for any monitors
// before and after and any window: never where no monitor shows its top row,
// at the same place on its own monitor when that monitor is still there and
// shows it, and left where it stands only when its monitor is gone and a
// monitor shows it there.
//
// Input: one line each, "m LEFT TOP WIDTH HEIGHT DEVICE IN" for a monitor (the
// primary first; DEVICE a number naming its device; IN 1 for the layout
// before, 2 for the one after, 3 for both), then "w FIRSTX FIRSTY LEFT TOP
// WIDTH HEIGHT" for a window: where it was pushed from and its rectangle now.
// Missing numbers are 0; coordinates and sizes beyond 2^28 are not taken.
#include "fuzz_support.h"
#include "sweep/restore_place.h"
#include "sweep/restore_targets.h"
#include "sweep/sweep_verdict.h"

#include <string>

namespace {

bool HasDevice(const MonitorLayout &layout, const char *device)
{
    for (int i = 0; i < layout.count; ++i) {
        if (std::string(layout.monitor[i].device) == device)
            return true;
    }
    return false;
}

void CheckPlace(const MonitorLayout &before, const MonitorLayout &after, POINT first, const RECT &now)
{
    const RestorePlace place = PlaceAfterDisplayChange(before, after, first, now);
    const RECT home = RectMovedTo(now, first.x, first.y);
    const Monitor &was = before.monitor[MonitorOfRect(before, home)];
    if (!place.move) {
        FUZZ_CHECK(TopRowShown(after, now));
        FUZZ_CHECK(!HasDevice(after, was.device));
        return;
    }
    const RECT put = RectMovedTo(now, place.x, place.y);
    FUZZ_CHECK(TopRowShown(after, put));
    for (int i = 0; i < after.count; ++i) {
        const Monitor &is = after.monitor[i];
        if (std::string(is.device) != was.device)
            continue;
        const RECT same = RectMovedTo(now, Wrap32(static_cast<int64_t>(first.x) + is.rect.left - was.rect.left),
                                      Wrap32(static_cast<int64_t>(first.y) + is.rect.top - was.rect.top));
        if (TopRowShown(after, same))
            FUZZ_CHECK(place.x == same.left && place.y == same.top);
        break;
    }
}

} // namespace

// Coordinates as far out as any layout goes: Windows keeps the virtual screen
// well within 16 bits; this leaves room to add any width to any place.
bool Within(int64_t value)
{
    return value >= -(int64_t(1) << 28) && value <= (int64_t(1) << 28);
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    InputLines input(data, size);
    MonitorLayout before = {}, after = {};
    while (!input.AtEnd()) {
        std::string_view line = input.Next();
        if (line.empty())
            continue;
        const char kind = line.front();
        line.remove_prefix(1);
        if (kind == 'm') {
            const int64_t left = TakeNumber(line), top = TakeNumber(line);
            const int64_t width = TakeNumber(line), height = TakeNumber(line);
            const std::string device = std::to_string(TakeNumber(line));
            const int in = TakeNumber(line);
            if (width <= 0 || height <= 0 || !Within(left) || !Within(top) || !Within(width) || !Within(height))
                continue;
            const RECT rect = {static_cast<LONG>(left), static_cast<LONG>(top), static_cast<LONG>(left + width),
                               static_cast<LONG>(top + height)};
            if (in & 1)
                AddMonitor(&before, rect, 96, before.count == 0, device.c_str());
            if (in & 2)
                AddMonitor(&after, rect, 96, after.count == 0, device.c_str());
        } else if (kind == 'w' && before.count > 0 && after.count > 0) {
            const int64_t firstX = TakeNumber(line), firstY = TakeNumber(line);
            const int64_t left = TakeNumber(line), top = TakeNumber(line);
            const int64_t width = TakeNumber(line), height = TakeNumber(line);
            if (width <= 0 || height <= 0 || !Within(firstX) || !Within(firstY) || !Within(left) || !Within(top) ||
                !Within(width) || !Within(height))
                continue;
            const POINT first = {static_cast<LONG>(firstX), static_cast<LONG>(firstY)};
            const RECT now = {static_cast<LONG>(left), static_cast<LONG>(top), static_cast<LONG>(left + width),
                              static_cast<LONG>(top + height)};
            CheckPlace(before, after, first, now);
        }
    }
    return 0;
}
