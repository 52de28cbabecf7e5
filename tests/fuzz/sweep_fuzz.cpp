// Sweeps of any windows with any lines, against a model of the moved-window
// table: who is moved, where to, what is recorded, what a restore gets back, and
// which facts each window is asked for.
//
// Input: the first line is the swept monitor, "CX CY LEFT TOP SEVERAL": its
// size, its top-left corner (0 0 for the primary) and whether other monitors
// lie beside it (non-zero: only windows alongside the swept edge are judged).
// Each further line is one step:
//   s EDGE LINE HWND FLAGS LEFT TOP RIGHT BOTTOM SHOWCMD  one window judged
//                                                         (FLAGS: 1 visible, 2 rectangle read, 4 silent,
//                                                         8 cloaked, 16 layered, 32 transparent, 64 and
//                                                         128 its class: none, Progman, workerw, Shell_TrayWnd,
//                                                         256 maximized, 512 minimized, 1024 its program
//                                                         on the Leave list)
//   f COUNT EDGE LINE LEFT TOP RIGHT BOTTOM                COUNT windows never seen before judged
//   t                                                      the table taken for a restore
//   c                                                      the table cleared
// Windows 1 to 4 are the bars, 5 the desktop and 6 the shell window, 7 to 10
// the bars of another monitor; EDGE counts by its low two bits.
#include "core/settings.h"
#include "fuzz_support.h"
#include "sweep/restore_targets.h"
#include "sweep/sweep_verdict.h"

#include <set>
#include <string.h>
#include <vector>

namespace {

const UINT kShowNormal = 1;
const UINT kMinimize = 6;
// Windows made up by a flood count up from here; a line may name them too.
const uintptr_t kFirstFloodWindow = 1000;

HWND Handle(uintptr_t id)
{
    return reinterpret_cast<HWND>(id);
}

struct Desk {
    RECT monitor;
    bool several;
    HWND bars[BAR_SLOTS] = {Handle(1), Handle(2), Handle(3), Handle(4), Handle(7), Handle(8), Handle(9), Handle(10)};
    HWND desktop = Handle(5);
    HWND shell = Handle(6);
    MovedWindowTable table;
    std::vector<MovedWindow> model; // first moves, in order
    std::set<HWND> recorded;        // the same windows, to look up without a scan
    uintptr_t nextFlood = kFirstFloodWindow;

    // Whether the window's rectangle gives the sweep something to judge: a
    // real, visible, readable, non-empty window other than the bars and the
    // desktop, not wholly beyond the swept edge.
    bool Judged(Edge edge, const CandidateWindow &w) const
    {
        if (w.hwnd == NULL || w.hwnd == desktop || w.hwnd == shell || !w.visible || !w.rectRead)
            return false;
        for (HWND bar : bars) {
            if (bar != NULL && w.hwnd == bar)
                return false;
        }
        const RECT &r = w.rect;
        if (r.left == r.right || r.top == r.bottom)
            return false;
        const RECT &m = monitor;
        // Beside other monitors, a window only counts for this one when it
        // shares some of its rows (left, right) or columns (top, bottom).
        const bool upright = edge == EdgeLeft || edge == EdgeRight;
        const bool alongside =
            upright ? (r.top < m.bottom && r.bottom > m.top) : (r.left < m.right && r.right > m.left);
        // Nor when it lies wholly past the monitor's far side, on a neighbour.
        const bool pastFarSide[EDGE_COUNT] = {r.left >= m.right, r.right <= m.left, r.top >= m.bottom,
                                              r.bottom <= m.top};
        if (several && (!alongside || pastFarSide[edge]))
            return false;
        const bool beyond[EDGE_COUNT] = {r.right<m.left, r.left> m.right, r.bottom<m.top, r.top> m.bottom};
        return !beyond[edge];
    }

    // Gathers the window's facts one at a time as the verdict asks for them.
    // Returns the verdict; *asked holds the facts it asked for.
    SweepVerdict JudgeAsking(Edge edge, LONG line, const CandidateWindow &w, unsigned *asked)
    {
        const SweepWorld world = {monitor, several, bars, desktop, shell, &table, NULL};
        CandidateWindow gathered = w;
        gathered.known = 0;
        *asked = 0;
        for (;;) {
            const SweepVerdict verdict = SweepWindow(edge, line, gathered, world);
            if (verdict.action != AskFact)
                return verdict;
            FUZZ_CHECK((gathered.known & verdict.fact) == 0 && (verdict.fact & ALL_WINDOW_FACTS) != 0);
            FUZZ_CHECK(table.count == static_cast<int>(model.size()));
            gathered.known |= verdict.fact;
            *asked |= verdict.fact;
        }
    }

    void Sweep(Edge edge, LONG line, const CandidateWindow &w)
    {
        unsigned asked;
        const SweepVerdict verdict = JudgeAsking(edge, line, w, &asked);
        const RECT &r = w.rect;
        const bool reaches[EDGE_COUNT] = {r.left <= line, r.right >= line, r.top <= line, r.bottom >= line};
        const bool known = recorded.count(w.hwnd) != 0;
        // Placement and the thread's answer matter only to a window that would
        // otherwise be moved; the thread is asked only once the placement allows a move.
        const bool wouldMove = Judged(edge, w) && (known || (reaches[edge] && model.size() < MOVED_WINDOW_SLOTS));
        FUZZ_CHECK(((asked & FactPlacement) != 0) == wouldMove);
        // What kind of window it is matters only to a window that could move;
        // a shell window, a cloaked one or a click-through overlay never does.
        const bool layeredAndTransparent = (w.exStyle & kExLayered) != 0 && (w.exStyle & kExTransparent) != 0;
        const bool leftAloneByKind = w.className[0] != '\0' || w.cloaked || layeredAndTransparent;
        FUZZ_CHECK(((asked & FactKind) != 0) == (wouldMove && w.showCmd != kMinimize));
        // Its program is asked only of a window its kind lets through.
        FUZZ_CHECK(((asked & FactProgram) != 0) == (wouldMove && w.showCmd != kMinimize && !leftAloneByKind));
        const bool leftAlone = leftAloneByKind || w.programListed;
        FUZZ_CHECK(((asked & FactAnswers) != 0) == (wouldMove && w.showCmd != kMinimize && !leftAlone));
        if (!Judged(edge, w) || w.showCmd == kMinimize || leftAlone || !w.answers) {
            FUZZ_CHECK(verdict.action == Leave);
        } else if (known) {
            // Already moved: it goes onto the new line wherever it is now.
            FUZZ_CHECK(verdict.action == Realign);
        } else if (reaches[edge] && model.size() < MOVED_WINDOW_SLOTS) {
            FUZZ_CHECK(verdict.action == RecordAndMove);
            const bool normal = (w.style & (kStyleMaximize | kStyleMinimize)) == 0;
            model.push_back(MovedWindow{w.hwnd, r.left, r.top, normal});
            recorded.insert(w.hwnd);
        } else {
            FUZZ_CHECK(verdict.action == Leave);
        }
        if (verdict.action != Leave)
            CheckMovedOntoLine(edge, line, r, verdict);
        FUZZ_CHECK(table.count == static_cast<int>(model.size()));
    }

    // The window keeps its size, and its side facing the edge lands on the line
    // (with 32-bit wrap-around for windows and lines near the ends of the range).
    static void CheckMovedOntoLine(Edge edge, LONG line, const RECT &r, const SweepVerdict &verdict)
    {
        const uint32_t width = static_cast<uint32_t>(r.right) - static_cast<uint32_t>(r.left);
        const uint32_t height = static_cast<uint32_t>(r.bottom) - static_cast<uint32_t>(r.top);
        const uint32_t x = static_cast<uint32_t>(verdict.x);
        const uint32_t y = static_cast<uint32_t>(verdict.y);
        const uint32_t onLine = static_cast<uint32_t>(line);
        switch (edge) {
        case EdgeLeft:
            FUZZ_CHECK(x == onLine && verdict.y == r.top);
            break;
        case EdgeRight:
            FUZZ_CHECK(x + width == onLine && verdict.y == r.top);
            break;
        case EdgeTop:
            FUZZ_CHECK(verdict.x == r.left && y == onLine);
            break;
        default:
            FUZZ_CHECK(verdict.x == r.left && y + height == onLine);
            break;
        }
    }

    // The table holds the model's entries in order, then only empty slots.
    void CheckTable() const
    {
        FUZZ_CHECK(table.count == static_cast<int>(model.size()));
        for (int i = 0; i < MOVED_WINDOW_SLOTS; ++i) {
            if (i < table.count) {
                const MovedWindow &entry = table.slot[i];
                const MovedWindow &expected = model[i];
                FUZZ_CHECK(entry.hwnd == expected.hwnd && entry.savedLeft == expected.savedLeft &&
                           entry.savedTop == expected.savedTop && entry.normal == expected.normal);
            } else {
                FUZZ_CHECK(table.slot[i].hwnd == NULL);
            }
        }
    }

    void Take()
    {
        MovedWindow entries[MOVED_WINDOW_SLOTS];
        const int taken = TakeMovedWindows(&table, entries);
        FUZZ_CHECK(taken == static_cast<int>(model.size()));
        for (int i = 0; i < taken; ++i) {
            FUZZ_CHECK(entries[i].hwnd == model[i].hwnd && entries[i].savedLeft == model[i].savedLeft &&
                       entries[i].savedTop == model[i].savedTop && entries[i].normal == model[i].normal);
        }
        model.clear();
        recorded.clear();
        CheckTable();
    }

    void Clear()
    {
        ClearMovedWindows(&table);
        model.clear();
        recorded.clear();
        CheckTable();
    }
};

RECT RectOf(std::string_view &line)
{
    return RECT{TakeNumber(line), TakeNumber(line), TakeNumber(line), TakeNumber(line)};
}

// A window with every fact gathered, as an input line gives them.
CandidateWindow Window(HWND hwnd, uint32_t flags, const RECT &rect, UINT showCmd)
{
    static const char *const kClasses[4] = {"", "Progman", "workerw", "Shell_TrayWnd"};
    CandidateWindow w = {};
    w.hwnd = hwnd;
    w.known = ALL_WINDOW_FACTS;
    w.visible = (flags & 1) != 0;
    w.rectRead = (flags & 2) != 0;
    w.rect = rect;
    w.showCmd = showCmd;
    w.answers = (flags & 4) == 0;
    w.cloaked = (flags & 8) != 0;
    w.exStyle = ((flags & 16) != 0 ? kExLayered : 0) | ((flags & 32) != 0 ? kExTransparent : 0);
    w.style = ((flags & 256) != 0 ? kStyleMaximize : 0) | ((flags & 512) != 0 ? kStyleMinimize : 0);
    strcpy(w.className, kClasses[(flags >> 6) & 3]);
    w.programListed = (flags & 1024) != 0;
    return w;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    InputLines input(data, size);
    std::string_view first = input.Next();
    Desk desk;
    const ScreenSize monitorSize = {TakeNumber(first), TakeNumber(first)};
    const LONG left = TakeNumber(first);
    const LONG top = TakeNumber(first);
    desk.monitor = RECT{left, top, Wrap32(static_cast<int64_t>(left) + monitorSize.cx),
                        Wrap32(static_cast<int64_t>(top) + monitorSize.cy)};
    desk.several = TakeNumber(first) != 0;
    desk.Clear();
    while (!input.AtEnd()) {
        std::string_view line = input.Next();
        if (line.empty())
            continue;
        const char step = line.front();
        line.remove_prefix(1);
        if (step == 's') {
            const Edge edge = TakeEdge(line);
            const LONG sweepLine = TakeNumber(line);
            const HWND hwnd = Handle(static_cast<uint32_t>(TakeNumber(line)));
            const uint32_t flags = static_cast<uint32_t>(TakeNumber(line));
            const RECT rect = RectOf(line);
            const UINT showCmd = static_cast<uint32_t>(TakeNumber(line));
            desk.Sweep(edge, sweepLine, Window(hwnd, flags, rect, showCmd));
        } else if (step == 'f') {
            const uint32_t count = static_cast<uint32_t>(TakeNumber(line)) % (MOVED_WINDOW_SLOTS + 8);
            const Edge edge = TakeEdge(line);
            const LONG sweepLine = TakeNumber(line);
            const RECT rect = RectOf(line);
            for (uint32_t i = 0; i < count; ++i)
                desk.Sweep(edge, sweepLine, Window(Handle(desk.nextFlood++), 3, rect, kShowNormal));
        } else if (step == 't') {
            desk.Take();
        } else if (step == 'c') {
            desk.Clear();
        }
    }
    // Once for the whole input: a scan of every slot after each step would cost
    // more than the sweeps themselves.
    desk.CheckTable();
    return 0;
}
