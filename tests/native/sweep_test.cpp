#include "native_support.h"
#include "sweep/restore_targets.h"
#include "sweep/sweep_verdict.h"
#include "sweep/thread_answers.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <cstring>
#include <memory>
#include <ostream>
#include <set>
#include <vector>

namespace {

const UINT kShowNormal = 1;
const UINT kShowMinimized = 2;
const UINT kShowMaximized = 3;
const UINT kMinimize = 6;
const UINT kShowMinNoActive = 7;

uintptr_t Id(HWND hwnd)
{
    return reinterpret_cast<uintptr_t>(hwnd);
}

// A visible window with a readable rectangle and a normal placement, whose
// thread answers: every fact already gathered.
CandidateWindow Window(uintptr_t id, LONG left, LONG top, LONG right, LONG bottom)
{
    CandidateWindow w = {};
    w.hwnd = Handle(id);
    w.known = ALL_WINDOW_FACTS;
    w.visible = true;
    w.rectRead = true;
    w.rect = RECT{left, top, right, bottom};
    w.showCmd = kShowNormal;
    w.answers = true;
    return w;
}

// The same window of that class.
CandidateWindow OfClass(CandidateWindow w, const char *className)
{
    strcpy(w.className, className);
    return w;
}

// The primary monitor's bars are windows 1 to 4, the desktop window is 5, the
// shell window 6; other windows use ids from 100 on.
struct Desk {
    HWND bars[BAR_SLOTS] = {Handle(1), Handle(2), Handle(3), Handle(4)};
    HWND desktop = Handle(5);
    HWND shell = Handle(6);
    MovedWindowTable table;
    LeaveList leave = {};

    Desk() { ClearMovedWindows(&table); }

    SweepVerdict Sweep(Edge edge, LONG line, const CandidateWindow &window)
    {
        const SweepWorld world = {kMonitor1024, false, bars, desktop, shell, &table, &leave};
        return SweepWindow(edge, line, window, world);
    }
};

struct Entry {
    uintptr_t id;
    LONG savedLeft;
    LONG savedTop;
    bool operator==(const Entry &other) const = default;
};

std::ostream &operator<<(std::ostream &out, const Entry &e)
{
    return out << "{window " << e.id << " saved at (" << e.savedLeft << ", " << e.savedTop << ")}";
}

std::vector<Entry> Entries(const MovedWindowTable &table)
{
    std::vector<Entry> entries;
    for (int i = 0; i < table.count && i < MOVED_WINDOW_SLOTS; ++i)
        entries.push_back({Id(table.slot[i].hwnd), table.slot[i].savedLeft, table.slot[i].savedTop});
    return entries;
}

struct Move {
    uintptr_t id;
    SweepAction action;
    LONG x;
    LONG y;
    bool operator==(const Move &other) const = default;
};

std::ostream &operator<<(std::ostream &out, const Move &m)
{
    const char *action = m.action == Realign ? "Realign" : m.action == RecordAndMove ? "RecordAndMove" : "Leave";
    return out << "{window " << m.id << " " << action << " to (" << m.x << ", " << m.y << ")}";
}

// Entries in slots 0 to count - 1, non-null and distinct; every later slot empty.
::testing::AssertionResult TableIsSound(const MovedWindowTable &table)
{
    if (table.count < 0 || table.count > MOVED_WINDOW_SLOTS)
        return ::testing::AssertionFailure() << "count " << table.count;
    std::set<HWND> seen;
    for (int i = 0; i < table.count; ++i) {
        if (table.slot[i].hwnd == NULL)
            return ::testing::AssertionFailure() << "slot " << i << " below count " << table.count << " is empty";
        if (!seen.insert(table.slot[i].hwnd).second)
            return ::testing::AssertionFailure() << "window " << Id(table.slot[i].hwnd) << " stands twice";
    }
    for (int i = table.count; i < MOVED_WINDOW_SLOTS; ++i) {
        if (table.slot[i].hwnd != NULL)
            return ::testing::AssertionFailure()
                   << "slot " << i << " past count " << table.count << " holds window " << Id(table.slot[i].hwnd);
    }
    return ::testing::AssertionSuccess();
}

// One sweep over the windows in enumeration order, carried out as the window
// system would: a window that is moved keeps its size. Returns the moves made;
// the table must be sound after every single verdict.
std::vector<Move> RunSweep(Desk &desk, Edge edge, LONG line, std::vector<CandidateWindow> &windows)
{
    std::vector<Move> moves;
    for (CandidateWindow &window : windows) {
        SweepVerdict verdict = desk.Sweep(edge, line, window);
        EXPECT_TRUE(TableIsSound(desk.table)) << "after window " << Id(window.hwnd);
        if (verdict.action == Leave)
            continue;
        moves.push_back({Id(window.hwnd), verdict.action, verdict.x, verdict.y});
        RECT &r = window.rect;
        r = RECT{verdict.x, verdict.y, verdict.x + (r.right - r.left), verdict.y + (r.bottom - r.top)};
    }
    return moves;
}

void ExpectLeft(Desk &desk, Edge edge, LONG line, const CandidateWindow &window, const char *why)
{
    const int countBefore = desk.table.count;
    SweepVerdict verdict = desk.Sweep(edge, line, window);
    EXPECT_EQ(Leave, verdict.action) << why;
    EXPECT_EQ(countBefore, desk.table.count) << why << ": a window left alone is not recorded";
}

void ExpectMove(Desk &desk, Edge edge, LONG line, const CandidateWindow &window, SweepAction action, LONG x, LONG y,
                const char *why)
{
    SweepVerdict verdict = desk.Sweep(edge, line, window);
    EXPECT_EQ(action, verdict.action) << why;
    if (verdict.action == action) {
        EXPECT_EQ(x, verdict.x) << why;
        EXPECT_EQ(y, verdict.y) << why;
    }
}

// Fills the table with windows 1000 to 1255 by left sweeps at line 150.
void FillTable(Desk &desk)
{
    for (int i = 0; i < MOVED_WINDOW_SLOTS; ++i)
        desk.Sweep(EdgeLeft, 150, Window(1000 + i, 0, i, 100, i + 10));
    ASSERT_EQ(MOVED_WINDOW_SLOTS, desk.table.count);
}

TEST(SweepVerdict, TheExamplesOfEachEdgeKeepTheWindowSize)
{
    Desk desk;
    ExpectMove(desk, EdgeLeft, 150, Window(100, 100, 50, 500, 400), RecordAndMove, 150, 50, "left edge onto the line");
    ExpectMove(desk, EdgeRight, 874, Window(101, 700, 10, 900, 300), RecordAndMove, 674, 10,
               "right edge onto the line, 200 wide");
    ExpectMove(desk, EdgeTop, 150, Window(102, 10, 120, 300, 400), RecordAndMove, 10, 150, "top edge onto the line");
    ExpectMove(desk, EdgeBottom, 618, Window(103, 10, 500, 300, 700), RecordAndMove, 10, 418,
               "bottom edge onto the line, 200 high");

    const std::vector<Entry> expected = {{100, 100, 50}, {101, 700, 10}, {102, 10, 120}, {103, 10, 500}};
    EXPECT_EQ(expected, Entries(desk.table)) << "every edge records the left and top before the move";
    EXPECT_TRUE(TableIsSound(desk.table));
}

TEST(SweepVerdict, ANullHandleIsLeft)
{
    Desk desk;
    ExpectLeft(desk, EdgeLeft, 150, Window(0, 100, 50, 500, 400), "null handle");
    ExpectLeft(desk, EdgeBottom, 618, Window(0, 10, 500, 300, 700), "null handle");
    EXPECT_EQ(nullptr, desk.table.slot[0].hwnd);
}

TEST(SweepVerdict, ThePrimarysBarsAreLeftEvenWhenVisibleAndInTheStrip)
{
    Desk desk;
    for (int bar = 0; bar < EDGE_COUNT; ++bar) {
        // Each bar covers every strip, whatever sweep runs.
        CandidateWindow window = Window(Id(desk.bars[bar]), 0, 0, 1024, 768);
        ExpectLeft(desk, EdgeLeft, 150, window, "a bar in the left strip");
        ExpectLeft(desk, EdgeRight, 874, window, "a bar in the right strip");
        ExpectLeft(desk, EdgeTop, 150, window, "a bar in the top strip");
        ExpectLeft(desk, EdgeBottom, 618, window, "a bar in the bottom strip");
    }
}

TEST(SweepVerdict, InvisibleWindowsAndTheDesktopWindowAreLeft)
{
    Desk desk;
    CandidateWindow hidden = Window(100, 100, 50, 500, 400);
    hidden.visible = false;
    ExpectLeft(desk, EdgeLeft, 150, hidden, "an invisible window");

    CandidateWindow desktop = Window(Id(desk.desktop), 0, 0, 1024, 768);
    ExpectLeft(desk, EdgeLeft, 150, desktop, "the desktop window");
    ExpectLeft(desk, EdgeRight, 874, desktop, "the desktop window");
    ExpectLeft(desk, EdgeTop, 150, desktop, "the desktop window");
    ExpectLeft(desk, EdgeBottom, 618, desktop, "the desktop window");

    // Anything else that reaches the strip is moved, however big.
    ExpectMove(desk, EdgeLeft, 150, Window(7, 0, 0, 1024, 768), RecordAndMove, 150, 0, "a window as big as the screen");
}

TEST(SweepVerdict, OnlyAWindowWhollyBeyondTheEdgeIsLeft)
{
    Desk desk;
    ExpectLeft(desk, EdgeLeft, 150, Window(100, -300, 0, -1, 200), "right edge at -1");
    ExpectMove(desk, EdgeLeft, 150, Window(101, -300, 0, 0, 200), RecordAndMove, 150, 0,
               "a right edge exactly at 0 is not beyond the screen");

    ExpectLeft(desk, EdgeRight, 874, Window(102, 1025, 10, 1200, 300), "left edge at 1025");
    ExpectMove(desk, EdgeRight, 874, Window(103, 1024, 10, 1200, 300), RecordAndMove, 698, 10,
               "a left edge exactly at 1024 is judged further");

    ExpectLeft(desk, EdgeTop, 150, Window(104, 10, -300, 300, -1), "bottom edge at -1");
    ExpectMove(desk, EdgeTop, 150, Window(105, 10, -300, 300, 0), RecordAndMove, 10, 150,
               "a bottom edge exactly at 0 is not beyond the screen");

    ExpectLeft(desk, EdgeBottom, 618, Window(106, 10, 769, 300, 900), "top edge at 769");
    ExpectMove(desk, EdgeBottom, 618, Window(107, 10, 768, 300, 900), RecordAndMove, 10, 486,
               "a top edge exactly at 768 is judged further");

    // Beyond one edge says nothing about the others.
    ExpectMove(desk, EdgeTop, 150, Window(108, -300, 0, -1, 200), RecordAndMove, -300, 150,
               "left of the screen but in the top strip");

    const std::vector<Entry> expected = {
        {101, -300, 0}, {103, 1024, 10}, {105, 10, -300}, {107, 10, 768}, {108, -300, 0}};
    EXPECT_EQ(expected, Entries(desk.table));
}

TEST(SweepVerdict, AWindowWithoutWidthOrHeightIsLeft)
{
    Desk desk;
    ExpectLeft(desk, EdgeLeft, 150, Window(100, 100, 50, 100, 400), "zero width");
    ExpectLeft(desk, EdgeLeft, 150, Window(101, 100, 50, 500, 50), "zero height");
    ExpectLeft(desk, EdgeBottom, 618, Window(102, 10, 700, 300, 700), "zero height");
    ExpectLeft(desk, EdgeRight, 874, Window(103, 900, 10, 900, 300), "zero width");
    ExpectMove(desk, EdgeLeft, 150, Window(104, 100, 50, 101, 51), RecordAndMove, 150, 50, "one pixel is enough");
}

TEST(SweepVerdict, OnlyTheMinimiseShowCommandCountsAsMinimised)
{
    Desk desk;
    CandidateWindow window = Window(100, 100, 50, 500, 400);
    window.showCmd = kMinimize;
    ExpectLeft(desk, EdgeLeft, 150, window, "show command 6");

    window = Window(101, 100, 50, 500, 400);
    window.showCmd = kShowMinimized;
    ExpectMove(desk, EdgeLeft, 150, window, RecordAndMove, 150, 50, "show command 2 is judged by its rectangle");

    window = Window(102, 100, 50, 500, 400);
    window.showCmd = kShowMinNoActive;
    ExpectMove(desk, EdgeLeft, 150, window, RecordAndMove, 150, 50, "show command 7 is judged by its rectangle");

    window = Window(103, 10, 500, 300, 700);
    window.showCmd = 0;
    ExpectMove(desk, EdgeBottom, 618, window, RecordAndMove, 10, 418, "a placement that could not be read");

    window = Window(104, 0, 0, 1024, 768);
    window.showCmd = kShowMaximized;
    ExpectMove(desk, EdgeTop, 150, window, RecordAndMove, 0, 150, "a maximised window is moved too");
}

TEST(SweepVerdict, AWindowWhoseRectangleCouldNotBeReadIsLeft)
{
    Desk desk;
    CandidateWindow window = Window(100, 100, 50, 500, 400);
    window.rectRead = false;
    ExpectLeft(desk, EdgeLeft, 150, window, "no rectangle to move it by");
    ExpectLeft(desk, EdgeRight, 874, window, "no rectangle to move it by");

    // Not even a recorded one is realigned.
    window.rectRead = true;
    ASSERT_EQ(RecordAndMove, desk.Sweep(EdgeLeft, 150, window).action);
    window.rectRead = false;
    ExpectLeft(desk, EdgeLeft, 80, window, "a recorded window without a rectangle");
    EXPECT_EQ(std::vector<Entry>({{100, 100, 50}}), Entries(desk.table));
}

// Moving a window whose thread does not answer would hold the whole program.
TEST(SweepVerdict, AWindowWhoseThreadDoesNotAnswerIsLeftWhetherNewOrRecorded)
{
    Desk desk;
    CandidateWindow window = Window(100, 100, 50, 500, 400);
    window.answers = false;
    for (Edge edge : {EdgeLeft, EdgeTop})
        ExpectLeft(desk, edge, 150, window, "not answering, in the strip");
    EXPECT_TRUE(Entries(desk.table).empty());

    window.answers = true;
    ASSERT_EQ(RecordAndMove, desk.Sweep(EdgeLeft, 150, window).action);
    window = Window(100, 150, 50, 550, 400);
    window.answers = false;
    ExpectLeft(desk, EdgeLeft, 300, window, "not answering since its move: not realigned");
    EXPECT_EQ(std::vector<Entry>({{100, 100, 50}}), Entries(desk.table)) << "its entry stays for the restore";
}

// Judges a window whose facts are gathered only when the verdict asks for them,
// from the full set in facts, and returns the verdict and the facts asked for.
SweepVerdict JudgeAsking(Desk &desk, Edge edge, LONG line, const CandidateWindow &facts, unsigned *asked)
{
    CandidateWindow gathered = facts;
    gathered.known = 0;
    *asked = 0;
    for (int round = 0; round <= 6; ++round) {
        const int countBefore = desk.table.count;
        const SweepVerdict verdict = desk.Sweep(edge, line, gathered);
        if (verdict.action != AskFact)
            return verdict;
        EXPECT_EQ(countBefore, desk.table.count) << "nothing is recorded while a fact is missing";
        EXPECT_EQ(0u, gathered.known & verdict.fact) << "fact " << verdict.fact << " asked for twice";
        gathered.known |= verdict.fact;
        *asked |= verdict.fact;
    }
    ADD_FAILURE() << "the verdict kept asking";
    return SweepVerdict{Leave, 0, 0, FactNone};
}

// Each fact costs a round trip to the window server, the last one a question
// to the window's own thread: a window is asked only what its verdict needs.
TEST(SweepVerdict, AWindowIsAskedOnlyTheFactsItsVerdictTurnsOn)
{
    Desk desk;
    unsigned asked = 0;
    struct Case {
        CandidateWindow facts;
        SweepAction action;
        unsigned asked;
        const char *why;
    };
    CandidateWindow hidden = Window(100, 100, 50, 500, 400);
    hidden.visible = false;
    CandidateWindow unreadable = Window(101, 100, 50, 500, 400);
    unreadable.rectRead = false;
    CandidateWindow minimised = Window(102, 100, 50, 500, 400);
    minimised.showCmd = kMinimize;
    CandidateWindow silent = Window(103, 100, 50, 500, 400);
    silent.answers = false;
    CandidateWindow cloaked = Window(109, 100, 50, 500, 400);
    cloaked.cloaked = true;
    cloaked.answers = false;
    const Case cases[] = {
        {Window(Id(desk.bars[EdgeLeft]), 0, 0, 2, 768), Leave, 0, "a bar is known by its handle"},
        {hidden, Leave, FactVisible, "an invisible window"},
        {Window(Id(desk.desktop), 0, 0, 1024, 768), Leave, FactVisible, "the desktop window"},
        {unreadable, Leave, FactVisible | FactRect, "no rectangle"},
        {Window(104, -300, 0, -1, 200), Leave, FactVisible | FactRect, "wholly beyond the edge"},
        {Window(105, 100, 50, 100, 400), Leave, FactVisible | FactRect, "no width"},
        {Window(106, 151, 50, 500, 400), Leave, FactVisible | FactRect, "out of the strip: no placement, no question"},
        {minimised, Leave, FactVisible | FactRect | FactPlacement, "minimised: its thread is not asked"},
        {Window(Id(desk.shell), 0, 0, 1024, 768), Leave, FactVisible, "the shell window"},
        {OfClass(Window(110, 0, 0, 1024, 768), "Progman"), Leave, ALL_WINDOW_FACTS & ~FactProgram & ~FactAnswers,
         "the icon host: its program and its thread are not asked"},
        {cloaked, Leave, ALL_WINDOW_FACTS & ~FactProgram & ~FactAnswers, "cloaked: a suspended app is not waited for"},
        {silent, Leave, ALL_WINDOW_FACTS, "in the strip, not answering"},
        {Window(107, 100, 50, 500, 400), RecordAndMove, ALL_WINDOW_FACTS, "in the strip, answering"},
    };
    for (const Case &c : cases) {
        EXPECT_EQ(c.action, JudgeAsking(desk, EdgeLeft, 150, c.facts, &asked).action) << c.why;
        EXPECT_EQ(c.asked, asked) << c.why;
    }
    EXPECT_EQ(std::vector<Entry>({{107, 100, 50}}), Entries(desk.table));

    // A recorded window is realigned wherever it lies, so it is asked everything.
    EXPECT_EQ(Realign, JudgeAsking(desk, EdgeLeft, 80, Window(107, 150, 50, 550, 400), &asked).action);
    EXPECT_EQ(static_cast<unsigned>(ALL_WINDOW_FACTS), asked);

    // With the table full, a new window in the strip has nowhere to be recorded.
    FillTable(desk);
    EXPECT_EQ(Leave, JudgeAsking(desk, EdgeLeft, 150, Window(108, 100, 50, 500, 400), &asked).action);
    EXPECT_EQ(static_cast<unsigned>(FactVisible | FactRect), asked) << "a full table: no placement, no question";
}

TEST(SweepVerdict, ARecordedWindowFollowsTheLineWhereverItLies)
{
    Desk desk;
    ExpectMove(desk, EdgeLeft, 150, Window(100, 100, 300, 500, 600), RecordAndMove, 150, 300, "first move");

    // Now at (150, 300)-(550, 600), out of every strip below.
    const CandidateWindow moved = Window(100, 150, 300, 550, 600);
    ExpectMove(desk, EdgeTop, 150, moved, Realign, 150, 150, "a top sweep realigns it though it is below the strip");
    ExpectMove(desk, EdgeRight, 874, moved, Realign, 474, 300, "a right sweep puts its right edge on the line");
    ExpectMove(desk, EdgeBottom, 618, moved, Realign, 150, 318, "a bottom sweep puts its bottom edge on the line");
    ExpectMove(desk, EdgeLeft, 80, moved, Realign, 80, 300, "outward as well as inward");

    EXPECT_EQ(std::vector<Entry>({{100, 100, 300}}), Entries(desk.table)) << "realigning never changes the entry";
}

TEST(SweepVerdict, EarlierRulesStillLeaveARecordedWindow)
{
    Desk desk;
    ASSERT_EQ(RecordAndMove, desk.Sweep(EdgeLeft, 150, Window(100, 100, 50, 500, 400)).action);

    CandidateWindow window = Window(100, 150, 50, 550, 400);
    window.visible = false;
    ExpectLeft(desk, EdgeLeft, 300, window, "hidden since its move");

    window = Window(100, 150, 50, 550, 400);
    window.showCmd = kMinimize;
    ExpectLeft(desk, EdgeLeft, 300, window, "minimised since its move");

    ExpectLeft(desk, EdgeLeft, 300, Window(100, 150, 50, 150, 400), "shrunk to no width since its move");
    ExpectLeft(desk, EdgeLeft, 300, Window(100, -500, 50, -100, 400), "dragged beyond the left edge since its move");
    ExpectMove(desk, EdgeTop, 150, Window(100, -500, 50, -100, 400), Realign, -500, 150,
               "beyond the left edge does not matter to a top sweep");

    EXPECT_EQ(std::vector<Entry>({{100, 100, 50}}), Entries(desk.table));
}

TEST(SweepVerdict, AnEdgeExactlyOnTheLineReachesTheStrip)
{
    Desk desk;
    ExpectMove(desk, EdgeLeft, 150, Window(100, 150, 50, 500, 400), RecordAndMove, 150, 50, "left edge on the line");
    ExpectLeft(desk, EdgeLeft, 150, Window(101, 151, 50, 500, 400), "left edge one past the line");

    ExpectMove(desk, EdgeRight, 874, Window(102, 700, 10, 874, 300), RecordAndMove, 700, 10, "right edge on the line");
    ExpectLeft(desk, EdgeRight, 874, Window(103, 700, 10, 873, 300), "right edge one short of the line");

    ExpectMove(desk, EdgeTop, 150, Window(104, 10, 150, 300, 400), RecordAndMove, 10, 150, "top edge on the line");
    ExpectLeft(desk, EdgeTop, 150, Window(105, 10, 151, 300, 400), "top edge one past the line");

    ExpectMove(desk, EdgeBottom, 618, Window(106, 10, 500, 300, 618), RecordAndMove, 10, 500,
               "bottom edge on the line");
    ExpectLeft(desk, EdgeBottom, 618, Window(107, 10, 500, 300, 617), "bottom edge one short of the line");

    const std::vector<Entry> expected = {{100, 150, 50}, {102, 700, 10}, {104, 10, 150}, {106, 10, 500}};
    EXPECT_EQ(expected, Entries(desk.table)) << "a window already on the line is recorded all the same";
}

TEST(SweepVerdict, LinesOffTheScreenAreComparedSigned)
{
    Desk desk;
    ExpectLeft(desk, EdgeLeft, -75, Window(100, 0, 0, 100, 100), "a negative left line leaves a window at 0");
    ExpectMove(desk, EdgeLeft, -75, Window(101, -80, 0, 100, 100), RecordAndMove, -75, 0, "left edge beyond the line");
    ExpectLeft(desk, EdgeRight, 1099, Window(102, 900, 0, 1024, 100), "a right line past the screen");
    ExpectMove(desk, EdgeRight, 1099, Window(103, 1000, 0, 1100, 100), RecordAndMove, 999, 0,
               "right edge beyond the line");
}

TEST(SweepVerdict, AFullTableLeavesNewWindowsButStillRealignsRecordedOnes)
{
    Desk desk;
    FillTable(desk);
    ExpectLeft(desk, EdgeLeft, 150, Window(2000, 100, 50, 500, 400), "a new window in the strip, no slot free");
    ExpectMove(desk, EdgeLeft, 80, Window(1000, 150, 0, 250, 10), Realign, 80, 0, "the first entry");
    ExpectMove(desk, EdgeTop, 150, Window(1255, 150, 255, 250, 265), Realign, 150, 150, "the last entry");

    EXPECT_EQ(MOVED_WINDOW_SLOTS, desk.table.count);
    EXPECT_EQ(Entry({1255, 0, 255}), Entries(desk.table).back());
    EXPECT_TRUE(TableIsSound(desk.table));
}

// Positions that leave the 32-bit range wrap around instead of overflowing.
TEST(SweepVerdict, FarLinesWrapAround)
{
    Desk desk;
    // The right edge onto INT_MIN: the new left, -100 + INT_MIN - 50, lies below
    // the 32-bit range and wraps to 2147483498.
    ExpectMove(desk, EdgeRight, INT_MIN, Window(100, -100, 10, 50, 300), RecordAndMove, 2147483498, 10,
               "right sweep at INT_MIN");
    ExpectMove(desk, EdgeBottom, INT_MIN, Window(101, 10, -100, 300, 50), RecordAndMove, 10, 2147483498,
               "bottom sweep at INT_MIN");

    // Recorded windows realigned on INT_MAX: 1000 + INT_MAX leaves the range on
    // the way to 1000 + INT_MAX - 1010 = 2147483637.
    ExpectMove(desk, EdgeRight, INT_MAX, Window(100, 1000, 10, 1010, 300), Realign, 2147483637, 10,
               "right sweep at INT_MAX");
    ExpectMove(desk, EdgeBottom, INT_MAX, Window(101, 10, 700, 300, 710), Realign, 10, 2147483637,
               "bottom sweep at INT_MAX");
}

TEST(MovedWindowTable, FirstPositionsAreKeptAcrossRepeatedSweeps)
{
    Desk desk;
    std::vector<CandidateWindow> windows = {Window(100, 100, 50, 500, 400)};

    EXPECT_EQ(std::vector<Move>({{100, RecordAndMove, 150, 50}}), RunSweep(desk, EdgeLeft, 150, windows));
    EXPECT_EQ(std::vector<Move>({{100, Realign, 80, 50}}), RunSweep(desk, EdgeLeft, 80, windows));
    EXPECT_EQ(std::vector<Move>({{100, Realign, 300, 50}}), RunSweep(desk, EdgeLeft, 300, windows));
    EXPECT_EQ(300, windows[0].rect.left);
    EXPECT_EQ(700, windows[0].rect.right) << "the window keeps its size";

    EXPECT_EQ(std::vector<Entry>({{100, 100, 50}}), Entries(desk.table)) << "no second entry, first position kept";
    EXPECT_EQ(nullptr, desk.table.slot[1].hwnd);
}

TEST(MovedWindowTable, EntriesStandInTheOrderOfFirstMoveAcrossSweeps)
{
    Desk desk;
    std::vector<CandidateWindow> first = {
        Window(103, 20, 600, 200, 700),  // C
        Window(101, 100, 50, 500, 400),  // A
        Window(110, 600, 200, 700, 400), // out of the left and the top strip
        Window(102, 0, 300, 300, 500),   // B
    };
    const std::vector<Move> firstMoves = {
        {103, RecordAndMove, 150, 600}, {101, RecordAndMove, 150, 50}, {102, RecordAndMove, 150, 300}};
    EXPECT_EQ(firstMoves, RunSweep(desk, EdgeLeft, 150, first));

    std::vector<CandidateWindow> second = {
        Window(104, 400, 10, 600, 100), // D
        first[1],                       // A, now at (150, 50)
        Window(105, 700, 0, 800, 40),   // E
        first[3],                       // B, now at (150, 300), below the top strip
        first[2],                       // still out of the strip
    };
    const std::vector<Move> secondMoves = {{104, RecordAndMove, 400, 150},
                                           {101, Realign, 150, 150},
                                           {105, RecordAndMove, 700, 150},
                                           {102, Realign, 150, 150}};
    EXPECT_EQ(secondMoves, RunSweep(desk, EdgeTop, 150, second));

    const std::vector<Entry> expected = {{103, 20, 600}, {101, 100, 50}, {102, 0, 300}, {104, 400, 10}, {105, 700, 0}};
    EXPECT_EQ(expected, Entries(desk.table));
    EXPECT_EQ(nullptr, desk.table.slot[5].hwnd);
}

TEST(MovedWindowTable, NeverHoldsMoreThanItsSlots)
{
    Desk desk;
    std::vector<CandidateWindow> first;
    for (int i = 0; i < 200; ++i)
        first.push_back(Window(1000 + i, 0, i, 100, i + 10));
    RunSweep(desk, EdgeLeft, 150, first);
    EXPECT_EQ(200, desk.table.count);

    // 100 new windows and every recorded one again: only 56 more fit.
    std::vector<CandidateWindow> second;
    for (int i = 0; i < 100; ++i)
        second.push_back(Window(2000 + i, 10, 600 + i, 90, 620 + i));
    second.insert(second.end(), first.begin(), first.end());
    std::vector<Move> moves = RunSweep(desk, EdgeBottom, 618, second);

    EXPECT_EQ(MOVED_WINDOW_SLOTS, desk.table.count);
    ASSERT_EQ(256u, moves.size()) << "56 recorded and 200 realigned; the other 44 new ones are left";
    for (int i = 0; i < 56; ++i)
        EXPECT_EQ(RecordAndMove, moves[i].action) << "window " << moves[i].id;
    EXPECT_EQ(Move({2000 + 55, RecordAndMove, 10, 598}), moves[55]);
    EXPECT_EQ(Move({1000, Realign, 150, 608}), moves[56]) << "the first recorded window comes next";
    for (size_t i = 56; i < moves.size(); ++i)
        EXPECT_EQ(Realign, moves[i].action) << "window " << moves[i].id;
    EXPECT_EQ(Entry({2000 + 55, 10, 655}), Entries(desk.table).back());
}

TEST(MovedWindowTable, RecordingEmptiesTheSlotAfterTheNewEntry)
{
    Desk desk;
    for (MovedWindow &slot : desk.table.slot)
        slot = MovedWindow{Handle(0xBAD), 7, 7, true};
    desk.table.count = 0;

    ASSERT_EQ(RecordAndMove, desk.Sweep(EdgeLeft, 150, Window(100, 100, 50, 500, 400)).action);
    EXPECT_EQ(1, desk.table.count);
    EXPECT_EQ(Handle(100), desk.table.slot[0].hwnd);
    EXPECT_EQ(nullptr, desk.table.slot[1].hwnd) << "a stale handle stayed after the last entry";
}

// The last restore's windows are recorded again in a table a sweep may have
// filled meanwhile: the one past the last slot is refused, not written.
TEST(MovedWindowTable, AddingToAFullTableRecordsNothing)
{
    auto table = std::make_unique<MovedWindowTable>();
    ClearMovedWindows(table.get());
    for (int i = 0; i < MOVED_WINDOW_SLOTS; ++i)
        ASSERT_TRUE(AddMovedWindow(table.get(), MovedWindow{Handle(1 + i), i, i, true})) << "slot " << i;
    EXPECT_FALSE(AddMovedWindow(table.get(), MovedWindow{Handle(9999), 0, 0, true}));
    EXPECT_EQ(MOVED_WINDOW_SLOTS, table->count);
    EXPECT_FALSE(IsRecorded(*table, Handle(9999)));
    EXPECT_EQ(Handle(MOVED_WINDOW_SLOTS), table->slot[MOVED_WINDOW_SLOTS - 1].hwnd);
}

TEST(MovedWindowTable, ClearingEmptiesEverySlot)
{
    auto table = std::make_unique<MovedWindowTable>();
    std::memset(table.get(), 0x5A, sizeof(MovedWindowTable));
    ClearMovedWindows(table.get());
    EXPECT_EQ(0, table->count);
    for (int i = 0; i < MOVED_WINDOW_SLOTS; ++i) {
        EXPECT_EQ(nullptr, table->slot[i].hwnd) << "slot " << i;
        EXPECT_EQ(0, table->slot[i].savedLeft) << "slot " << i;
        EXPECT_EQ(0, table->slot[i].savedTop) << "slot " << i;
    }
}

std::vector<Entry> Taken(const MovedWindow *entries, int taken)
{
    std::vector<Entry> result;
    for (int i = 0; i < taken; ++i)
        result.push_back({Id(entries[i].hwnd), entries[i].savedLeft, entries[i].savedTop});
    return result;
}

void ExpectEmpty(const MovedWindowTable &table)
{
    EXPECT_EQ(0, table.count);
    for (int i = 0; i < MOVED_WINDOW_SLOTS; ++i)
        EXPECT_EQ(nullptr, table.slot[i].hwnd) << "slot " << i << " still holds a window";
}

TEST(TakeMovedWindows, HandsOutEarlierSweepsFirstEachInEnumerationOrder)
{
    Desk desk;
    std::vector<CandidateWindow> first = {Window(102, 0, 300, 300, 500), Window(101, 100, 50, 500, 400)};
    RunSweep(desk, EdgeLeft, 150, first);
    std::vector<CandidateWindow> second = {Window(104, 10, 500, 300, 700), first[1], Window(103, 600, 700, 900, 760)};
    RunSweep(desk, EdgeBottom, 618, second);

    MovedWindow entries[MOVED_WINDOW_SLOTS];
    const int taken = TakeMovedWindows(&desk.table, entries);
    const std::vector<Entry> expected = {{102, 0, 300}, {101, 100, 50}, {104, 10, 500}, {103, 600, 700}};
    EXPECT_EQ(expected, Taken(entries, taken)) << "restore order, each window at its first position";
    ExpectEmpty(desk.table);

    // A sweep after the restore starts the table afresh.
    std::vector<CandidateWindow> again = {Window(101, 100, 50, 500, 400)};
    EXPECT_EQ(std::vector<Move>({{101, RecordAndMove, 150, 50}}), RunSweep(desk, EdgeLeft, 150, again))
        << "a window put back is recorded anew";
    EXPECT_EQ(std::vector<Entry>({{101, 100, 50}}), Entries(desk.table));
}

TEST(TakeMovedWindows, TakesAllOfAFullTableAndNothingFromAnEmptyOne)
{
    Desk desk;
    MovedWindow entries[MOVED_WINDOW_SLOTS];
    EXPECT_EQ(0, TakeMovedWindows(&desk.table, entries));
    ExpectEmpty(desk.table);

    FillTable(desk);
    const int taken = TakeMovedWindows(&desk.table, entries);
    ASSERT_EQ(MOVED_WINDOW_SLOTS, taken);
    for (int i = 0; i < MOVED_WINDOW_SLOTS; ++i) {
        EXPECT_EQ(Handle(1000 + i), entries[i].hwnd) << "entry " << i;
        EXPECT_EQ(0, entries[i].savedLeft) << "entry " << i;
        EXPECT_EQ(i, entries[i].savedTop) << "entry " << i;
    }
    ExpectEmpty(desk.table);
    EXPECT_EQ(0, TakeMovedWindows(&desk.table, entries)) << "a second restore finds nothing";
}

// A sweep or restore asks every thread once, all at once, and waits once: a
// thread that answered by the end of the wait is moved, the others are left
// alone, and an answer that comes too late (in a later round) changes nothing.
TEST(ThreadAnswers, EveryThreadIsAskedOnceAndThoseNotAnsweredByTheEndOfTheWaitAreSilent)
{
    ThreadAnswers answers = {};
    ForgetThreadAnswers(&answers);
    EXPECT_EQ(ThreadNotAsked, LookUpThreadAnswer(answers, 7));

    const unsigned seven = NoteThreadAsking(&answers, 7);
    const unsigned nine = NoteThreadAsking(&answers, 9);
    const unsigned eleven = NoteThreadAsking(&answers, 11);
    EXPECT_NE(0u, seven);
    EXPECT_NE(seven, nine);
    EXPECT_EQ(0u, NoteThreadAsking(&answers, 7)) << "asked once";
    EXPECT_EQ(3, answers.count) << "one slot per thread";
    EXPECT_EQ(ThreadAsking, LookUpThreadAnswer(answers, 9));
    EXPECT_TRUE(AnyThreadAsking(answers));

    NoteAnswer(&answers, nine);
    NoteNoAnswer(&answers, eleven);
    EXPECT_EQ(ThreadAnswered, LookUpThreadAnswer(answers, 9));
    EXPECT_EQ(ThreadSilent, LookUpThreadAnswer(answers, 11)) << "its window was gone";
    EXPECT_TRUE(AnyThreadAsking(answers)) << "seven has not answered";

    SilenceUnanswered(&answers);
    EXPECT_FALSE(AnyThreadAsking(answers));
    EXPECT_EQ(ThreadSilent, LookUpThreadAnswer(answers, 7));
    NoteAnswer(&answers, seven);
    EXPECT_EQ(ThreadSilent, LookUpThreadAnswer(answers, 7)) << "an answer after the wait counts no more";
    EXPECT_EQ(ThreadAnswered, LookUpThreadAnswer(answers, 9));

    ForgetThreadAnswers(&answers);
    for (DWORD thread : {7, 9, 11})
        EXPECT_EQ(ThreadNotAsked, LookUpThreadAnswer(answers, thread)) << "the next sweep asks afresh";
    const unsigned sevenAgain = NoteThreadAsking(&answers, 7);
    NoteAnswer(&answers, seven);
    EXPECT_EQ(ThreadAsking, LookUpThreadAnswer(answers, 7)) << "the last round's late answer is not this one's";
    NoteAnswer(&answers, sevenAgain);
    EXPECT_EQ(ThreadAnswered, LookUpThreadAnswer(answers, 7));
}

TEST(ThreadAnswers, AFullMemoryTakesNoNewThreadAndRoundsNeverGiveTicketZero)
{
    ThreadAnswers answers = {};
    EXPECT_EQ(0u, NoteThreadAsking(&answers, 1)) << "not before a round has begun";
    ForgetThreadAnswers(&answers);
    for (DWORD thread = 1; thread <= THREAD_ANSWER_SLOTS; ++thread)
        EXPECT_NE(0u, NoteThreadAsking(&answers, thread));
    EXPECT_EQ(0u, NoteThreadAsking(&answers, 1000));
    EXPECT_EQ(ThreadNotAsked, LookUpThreadAnswer(answers, 1000)) << "asked on its own at each window";
    EXPECT_EQ(THREAD_ANSWER_SLOTS, answers.count);

    // Far more rounds than the ticket holds: the round wraps, never to 0.
    for (int i = 0; i < 3; ++i) {
        answers.round = ~0u;
        ForgetThreadAnswers(&answers);
        EXPECT_NE(0u, answers.round);
        const unsigned ticket = NoteThreadAsking(&answers, 5);
        EXPECT_NE(0u, ticket);
        NoteAnswer(&answers, ticket);
        EXPECT_EQ(ThreadAnswered, LookUpThreadAnswer(answers, 5));
    }
}

// A restore's move its program has not carried out yet: the window is taken
// to be at the move's target until its rectangle shows that the move was
// carried out.
TEST(RestoreTargets, ATargetIsKeptPerWindowUntilForgottenAndGivesWayOnlyWhenEverySlotWaits)
{
    RestoreTargets targets = {};
    const RECT from = {150, 50, 450, 250};
    RestoreTarget at = {};
    EXPECT_FALSE(LookUpRestoreTarget(targets, Handle(100), &at));
    NoteRestoreTarget(&targets, Handle(100), 10, 20, from);
    NoteRestoreTarget(&targets, Handle(101), 30, 40, from);
    NoteRestoreTarget(&targets, Handle(100), 50, 60, RECT{150, 60, 450, 260});
    ASSERT_TRUE(LookUpRestoreTarget(targets, Handle(100), &at));
    EXPECT_EQ(50, at.x) << "the later restore's target";
    EXPECT_EQ(60, at.y);
    EXPECT_EQ(60, at.from.top);
    ForgetRestoreTarget(&targets, Handle(100));
    EXPECT_FALSE(LookUpRestoreTarget(targets, Handle(100), &at));
    ASSERT_TRUE(LookUpRestoreTarget(targets, Handle(101), &at));
    EXPECT_EQ(30, at.x);
    EXPECT_FALSE(LookUpRestoreTarget(targets, NULL, &at));

    // Windows come and go far more often than there are slots: while a slot
    // is free, no waiting target gives way, however many came after it.
    for (uintptr_t id = 1000; id < 1000 + 10 * MOVED_WINDOW_SLOTS; ++id) {
        NoteRestoreTarget(&targets, Handle(id), 1, 2, from);
        ForgetRestoreTarget(&targets, Handle(id));
    }
    EXPECT_TRUE(LookUpRestoreTarget(targets, Handle(101), &at)) << "evicted while slots were free";

    // Only when every slot waits does one give way, in turn round the slots.
    for (uintptr_t id = 200; id < 200 + MOVED_WINDOW_SLOTS - 1; ++id)
        NoteRestoreTarget(&targets, Handle(id), 1, 2, from);
    EXPECT_TRUE(LookUpRestoreTarget(targets, Handle(101), &at));
    NoteRestoreTarget(&targets, Handle(999), 1, 2, from);
    EXPECT_TRUE(LookUpRestoreTarget(targets, Handle(999), &at));
    int kept = 0;
    for (uintptr_t id = 200; id < 200 + MOVED_WINDOW_SLOTS - 1; ++id)
        kept += LookUpRestoreTarget(targets, Handle(id), &at);
    kept += LookUpRestoreTarget(targets, Handle(101), &at);
    EXPECT_EQ(MOVED_WINDOW_SLOTS - 1, kept) << "one target gave way to the new one";

    const RECT moved = RectMovedTo(RECT{100, 50, 400, 250}, -20, 7);
    EXPECT_EQ(-20, moved.left);
    EXPECT_EQ(7, moved.top);
    EXPECT_EQ(280, moved.right);
    EXPECT_EQ(207, moved.bottom);
}

// A target counts until its program has carried out the move: the window
// stands on it, or stands otherwise than when the move was sent, wherever that
// is (dragged by the user, placed by its own program, resized by a change of
// scale). Standing exactly where it was sent from, its move is still to come
// (its program answers messages while its move waits).
TEST(RestoreTargets, ATargetCountsUntilTheWindowStandsOnItOrOtherwiseThanWhenSent)
{
    const RestoreTarget target = {Handle(100), 40, 100, RECT{150, 100, 450, 300}};
    EXPECT_FALSE(RestoreTargetReached(target, RECT{150, 100, 450, 300})) << "still where it was sent from";
    EXPECT_TRUE(RestoreTargetReached(target, RECT{40, 100, 340, 300})) << "on the target";
    EXPECT_TRUE(RestoreTargetReached(target, RECT{40, 100, 300, 280})) << "on the target, resized on the way";
    EXPECT_TRUE(RestoreTargetReached(target, RECT{600, 400, 900, 600})) << "dragged elsewhere since";
    EXPECT_TRUE(RestoreTargetReached(target, RECT{151, 100, 451, 300})) << "placed a pixel off by its program";
    EXPECT_TRUE(RestoreTargetReached(target, RECT{150, 100, 600, 450})) << "resized in place by a change of scale";
}

// What a restore needs to know of a recorded window's state when it was
// recorded: maximized or minimized windows are not in their normal place.
TEST(MovedWindowTable, AnEntryTellsWhetherItsWindowStoodInItsNormalState)
{
    Desk desk;
    CandidateWindow normal = Window(100, 100, 50, 500, 400);
    CandidateWindow maximized = Window(101, -8, -8, 1032, 776);
    maximized.style = kStyleMaximize;
    CandidateWindow minimized = Window(102, 0, 744, 160, 768);
    minimized.showCmd = kShowMinimized;
    minimized.style = kStyleMinimize;
    for (const CandidateWindow &w : {normal, maximized, minimized})
        ASSERT_EQ(RecordAndMove, desk.Sweep(EdgeLeft, 150, w).action) << Id(w.hwnd);
    EXPECT_TRUE(desk.table.slot[0].normal);
    EXPECT_FALSE(desk.table.slot[1].normal);
    EXPECT_FALSE(desk.table.slot[2].normal);
    EXPECT_TRUE(NormalState(0x10CF0000)) << "visible, overlapped, neither state";
    EXPECT_FALSE(NormalState(0x10CF0000 | kStyleMaximize));
}

// A window judged again after the answers: the verdict is the one a single
// pass would have given with the same facts and table.
TEST(ListedWindow, JudgedAgainItGetsTheVerdictOfTheFactsItWasListedWith)
{
    Desk desk;
    const RECT reaching = {100, 50, 500, 400};
    SweepVerdict verdict = desk.Sweep(EdgeLeft, 150, ListedWindow(Handle(100), reaching, 0, true));
    EXPECT_EQ(RecordAndMove, verdict.action);
    EXPECT_EQ(150, verdict.x);
    EXPECT_EQ(50, verdict.y);
    EXPECT_EQ(Leave, desk.Sweep(EdgeLeft, 150, ListedWindow(Handle(101), reaching, 0, false)).action)
        << "its thread did not answer";
    verdict = desk.Sweep(EdgeLeft, 300, ListedWindow(Handle(100), RECT{150, 50, 550, 400}, 0, true));
    EXPECT_EQ(Realign, verdict.action) << "recorded by the first";
    EXPECT_EQ(300, verdict.x);
    EXPECT_EQ(1, desk.table.count);
}

} // namespace

namespace {

// Windows on the screen that no user wants pushed: the shell's own, those the
// window system keeps out of sight, and overlays that clicks pass through.
TEST(SweepVerdict, ShellWindowsUnseenWindowsAndClickThroughOverlaysStayWhereTheyAre)
{
    Desk desk;
    CandidateWindow cloaked = Window(104, 10, 10, 300, 200);
    cloaked.cloaked = true;
    CandidateWindow overlay = Window(105, 10, 10, 300, 200);
    overlay.exStyle = kExLayered | kExTransparent;
    const CandidateWindow leftAlone[] = {
        OfClass(Window(100, 0, 0, 1024, 768), "Progman"),
        OfClass(Window(101, 0, 0, 1024, 768), "WorkerW"),
        OfClass(Window(102, 0, 728, 1024, 768), "Shell_TrayWnd"),
        OfClass(Window(103, 0, 728, 1024, 768), "shell_secondarytraywnd"),
        cloaked,
        overlay,
        Window(Id(desk.shell), 0, 0, 1024, 768),
    };
    for (Edge edge : {EdgeLeft, EdgeBottom}) {
        for (const CandidateWindow &w : leftAlone)
            EXPECT_EQ(Leave, desk.Sweep(edge, edge == EdgeLeft ? 150 : 618, w).action)
                << "window " << Id(w.hwnd) << " of class '" << w.className << "', edge " << edge;
    }
    EXPECT_EQ(0, desk.table.count);

    // Only the shell's classes, whole; layered or click-through alone is an
    // ordinary window (a translucent one, or one that only passes the mouse on).
    CandidateWindow layered = Window(106, 10, 10, 300, 200);
    layered.exStyle = kExLayered;
    CandidateWindow transparent = Window(107, 10, 220, 300, 400);
    transparent.exStyle = kExTransparent;
    const CandidateWindow pushed[] = {
        layered,
        transparent,
        OfClass(Window(108, 10, 420, 300, 500), "ProgmanX"),
        OfClass(Window(109, 10, 520, 300, 600), "Worker"),
        OfClass(Window(110, 10, 620, 300, 700), "Notepad"),
    };
    for (const CandidateWindow &w : pushed)
        EXPECT_EQ(RecordAndMove, desk.Sweep(EdgeLeft, 150, w).action) << "class '" << w.className << "'";
    EXPECT_EQ(5, desk.table.count);

    // A recorded window that has gone out of sight since is not realigned;
    // its entry stays for the restore.
    CandidateWindow nowCloaked = layered;
    nowCloaked.rect = RECT{150, 10, 440, 200};
    nowCloaked.cloaked = true;
    EXPECT_EQ(Leave, desk.Sweep(EdgeLeft, 80, nowCloaked).action);
    EXPECT_EQ((Entry{106, 10, 10}), Entries(desk.table).front());
}

// The user's Leave list: a window of a class it names, or of a program it
// names, is never pushed, wherever it lies; the program is asked only of a
// window that would otherwise move, and neither is its thread.
TEST(SweepVerdict, AWindowOfAClassOrProgramTheLeaveListNamesStaysWhereItIs)
{
    Desk desk;
    ParseLeaveList("AcceptNote, notes.exe", LeadBytes{}, &desk.leave);
    CandidateWindow ofProgram = Window(101, 10, 300, 310, 700);
    ofProgram.programListed = true;
    ofProgram.answers = false;
    const CandidateWindow listed[] = {OfClass(Window(100, 0, 300, 300, 700), "acceptnote"), ofProgram};
    for (Edge edge : {EdgeLeft, EdgeBottom}) {
        for (const CandidateWindow &w : listed) {
            unsigned asked = 0;
            EXPECT_EQ(Leave, JudgeAsking(desk, edge, edge == EdgeLeft ? 150 : 618, w, &asked).action)
                << "window " << Id(w.hwnd) << ", edge " << edge;
            EXPECT_EQ(0u, asked & FactAnswers) << "its thread is not asked";
        }
    }
    unsigned asked = 0;
    EXPECT_EQ(Leave,
              JudgeAsking(desk, EdgeLeft, 150, OfClass(Window(100, 0, 300, 300, 700), "AcceptNote"), &asked).action);
    EXPECT_EQ(0u, asked & FactProgram) << "a listed class: its program is not asked";
    EXPECT_EQ(0, desk.table.count);

    // Out of the strip, its program is not asked either.
    EXPECT_EQ(Leave, JudgeAsking(desk, EdgeLeft, 150, Window(102, 200, 300, 500, 700), &asked).action);
    EXPECT_EQ(0u, asked & FactProgram);

    // Other classes are pushed. A name may stand for a class or a program:
    // a class named like the listed program stays too.
    EXPECT_EQ(RecordAndMove,
              JudgeAsking(desk, EdgeLeft, 150, OfClass(Window(103, 0, 10, 300, 100), "AcceptNotes"), &asked).action);
    EXPECT_EQ(static_cast<unsigned>(ALL_WINDOW_FACTS), asked) << "an ordinary window is asked its program";
    EXPECT_EQ(RecordAndMove, desk.Sweep(EdgeLeft, 150, OfClass(Window(104, 0, 110, 300, 200), "Notepad")).action);
    EXPECT_EQ(Leave, desk.Sweep(EdgeLeft, 150, OfClass(Window(105, 0, 210, 300, 290), "NOTES.EXE")).action);
    EXPECT_EQ(std::vector<Entry>({{103, 0, 10}, {104, 0, 110}}), Entries(desk.table));

    // Without a list, the window of that class is pushed.
    Desk without;
    EXPECT_EQ(RecordAndMove, without.Sweep(EdgeLeft, 150, listed[0]).action);
}

} // namespace
