// Soaks: thousands of mouse moves over the bars, right-click menus, options
// dialogs and open/restore cycles, with real input. What Brellox holds at the
// end must equal what it held after the first round, but for what the window
// system caches (below): its USER and GDI objects, counted
// in the window system's own handle tables with Brellox's code on a thread of
// this process, and the private memory of the real program.
//
// BRELLOX_SOAK_ROUNDS sets the rounds (100 by default); each round is 100
// moves, 10 menus, 1 dialog and 10 open/restore cycles.
#include "brellox_thread.h"
#include "harness.h"
#include "window_checks.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

int SoakRounds()
{
    const char *rounds = std::getenv("BRELLOX_SOAK_ROUNDS");
    return rounds != NULL && std::atoi(rounds) > 1 ? std::atoi(rounds) : 100;
}

const int kMovesPerRound = 100, kMenusPerRound = 10, kDialogsPerRound = 1, kOpensPerRound = 10;
// Wine fills caches of device contexts during the first few dialogs of a
// process (and then holds steady), so the first round opens a few more.
const int kDialogsInTheFirstRound = 3;
const RECT kSampleAt = {60, 80, 360, 280};

// One round of everything a user does to the bars; false, with what went
// wrong, when Brellox did not do its part.
bool SoakRound(DWORD processId, const BrelloxWindows &bars, HWND sample, int dialogs, std::string *failure)
{
    std::vector<POINT> path;
    for (int i = 0; i < kMovesPerRound; ++i)
        path.push_back({i % 2 == 0 ? 1 : 400, 200 + i});
    if (!MovePointerThrough(path))
        return *failure = "the pointer did not move", false;
    for (int i = 0; i < kMenusPerRound; ++i) {
        if (RightClick(1, 300 + i, processId) == NULL)
            return *failure = "no menu came up", false;
        PressKey(VK_ESCAPE);
        if (!WaitUntil([&] { return ShownMenu(processId) == NULL; }, kStartTimeoutMs))
            return *failure = "the menu stayed up", false;
    }
    for (int i = 0; i < dialogs; ++i) {
        HWND menu = RightClick(1, 400, processId);
        if (menu == NULL)
            return *failure = "no menu came up for the dialog", false;
        ClickFirstItem(menu);
        HWND dialog = NULL;
        if (!WaitUntil(
                [&] { return (dialog = FindProcessWindow(processId, "#32770", "Brellox")) && IsWindowVisible(dialog); },
                kStartTimeoutMs))
            return *failure = "the options dialog did not open", false;
        PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
        if (!WaitUntil([&] { return !IsWindow(dialog); }, kStartTimeoutMs))
            return *failure = "the options dialog did not close", false;
    }
    const RECT pushed = {150, kSampleAt.top, 150 + kSampleAt.right - kSampleAt.left, kSampleAt.bottom};
    for (int i = 0; i < kOpensPerRound; ++i) {
        // Under load the window system now and then takes a double-click for
        // two clicks; a user would double-click again.
        bool opened = false;
        for (int attempt = 0; attempt < 3 && !opened; ++attempt) {
            DoubleClick(1, 600);
            opened = WaitForRect(sample, pushed, 2000);
        }
        if (!opened)
            return *failure = "three double-clicks did not open the bar", false;
        Click(250, 180);
        if (!WaitForRect(sample, kSampleAt, kStartTimeoutMs) || !WaitForRect(bars.bars[0], {0, 0, 2, 768}))
            return *failure = "a click did not restore", false;
    }
    return true;
}

struct ObjectCounts {
    int windows;
    int menus;
    int cursorsAndIcons;
    int gdiObjects;      // pens, brushes, fonts, bitmaps, palettes and the rest
    int cachedDcObjects; // device contexts and their regions
};

std::string Describe(const ObjectCounts &c)
{
    return std::to_string(c.windows) + " windows, " + std::to_string(c.menus) + " menus, " +
           std::to_string(c.cursorsAndIcons) + " cursors and icons, " + std::to_string(c.gdiObjects) +
           " GDI objects besides " + std::to_string(c.cachedDcObjects) + " device contexts and regions";
}

// Every USER and GDI object of this process, found by walking the window
// system's handle tables. Wine takes a handle whose upper half is zero for
// whatever object its table index holds, so each index is asked once.
ObjectCounts CountObjects()
{
    ObjectCounts counts = {};
    for (UINT_PTR index = 1; index <= 0xFFFF; ++index) {
        const DWORD type = GetObjectType(reinterpret_cast<HGDIOBJ>(index));
        if (type == OBJ_DC || type == OBJ_MEMDC || type == OBJ_REGION)
            ++counts.cachedDcObjects;
        else if (type != 0)
            ++counts.gdiObjects;
    }
    const DWORD self = GetCurrentProcessId();
    for (UINT_PTR handle = 0x20; handle <= 0xFFFF; handle += 2) {
        HWND hwnd = reinterpret_cast<HWND>(handle);
        if (IsWindow(hwnd)) {
            DWORD processId = 0;
            GetWindowThreadProcessId(hwnd, &processId);
            counts.windows += processId == self;
        } else if (IsMenu(reinterpret_cast<HMENU>(handle))) {
            ++counts.menus;
        } else {
            ICONINFO info = {};
            if (GetIconInfo(reinterpret_cast<HICON>(handle), &info)) {
                ++counts.cursorsAndIcons;
                DeleteObject(info.hbmMask);
                if (info.hbmColor != NULL)
                    DeleteObject(info.hbmColor);
            }
        }
    }
    return counts;
}

// USER objects must come out exactly as after the first round. Wine creates a
// few GDI objects of its own lazily, the first time some path is drawn, and
// keeps the device contexts windows paint with in a cache that grows to the
// most ever in use at once; so GDI objects get a little slack, far less than
// one object per event of even the shortest soak would need.
const int kLazyGdiSlack = 4;
const int kDcCacheSlack = 32;
// The private memory those caches take in the real program while they fill.
const long long kCacheMemoryKiB = 128;

bool NothingMoreHeld(const ObjectCounts &first, const ObjectCounts &last)
{
    return first.windows == last.windows && first.menus == last.menus &&
           first.cursorsAndIcons == last.cursorsAndIcons && last.gdiObjects <= first.gdiObjects + kLazyGdiSlack &&
           last.cachedDcObjects <= first.cachedDcObjects + kDcCacheSlack;
}

bool SameCounts(const ObjectCounts &a, const ObjectCounts &b)
{
    return a.windows == b.windows && a.menus == b.menus && a.cursorsAndIcons == b.cursorsAndIcons &&
           a.gdiObjects == b.gdiObjects && a.cachedDcObjects == b.cachedDcObjects;
}

class Soak : public ::testing::Test {
protected:
    void SetUp() override { EndAllBrellox(); }
    void TearDown() override
    {
        if (sample_ != NULL)
            DestroyWindow(sample_);
        ParkPointer();
        EndAllBrellox();
    }

    HWND sample_ = NULL;
};

TEST_F(Soak, BrelloxHoldsNoMoreUserOrGdiObjectsAtTheEndThanAfterTheFirstRound)
{
    // The count sees a single object come and go, of each kind it counts.
    const ObjectCounts empty = CountObjects();
    HBRUSH brush = CreateSolidBrush(RGB(1, 2, 3));
    HMENU menu = CreateMenu();
    HCURSOR cursor = CreateCursor(GetModuleHandleA(NULL), 0, 0, 32, 32, std::string(128, '\xff').data(),
                                  std::string(128, '\0').data());
    const ObjectCounts more = CountObjects();
    EXPECT_GT(more.gdiObjects, empty.gdiObjects) << "the brush, and the cursor's bitmaps";
    EXPECT_FALSE(NothingMoreHeld(empty, more));
    EXPECT_EQ(empty.menus + 1, more.menus);
    EXPECT_EQ(empty.cursorsAndIcons + 1, more.cursorsAndIcons);
    DeleteObject(brush);
    DestroyMenu(menu);
    DestroyCursor(cursor);
    EXPECT_TRUE(SameCounts(empty, CountObjects())) << Describe(CountObjects()) << " against " << Describe(empty);

    BrelloxThread brellox("soak", "[Brellox]\r\n");
    ASSERT_TRUE(brellox.Started());
    sample_ = CreateSampleWindow(kSampleAt, "soak");
    std::string failure;
    ASSERT_TRUE(SoakRound(GetCurrentProcessId(), brellox.Windows(), sample_, kDialogsInTheFirstRound, &failure))
        << failure;
    const ObjectCounts first = CountObjects();
    const int rounds = SoakRounds();
    for (int round = 1; round < rounds; ++round)
        ASSERT_TRUE(SoakRound(GetCurrentProcessId(), brellox.Windows(), sample_, kDialogsPerRound, &failure))
            << failure << " in round " << round + 1;
    const ObjectCounts last = CountObjects();
    EXPECT_TRUE(NothingMoreHeld(first, last)) << Describe(last) << " against " << Describe(first);
    std::printf("soak figure: %d moves, %d menus, %d dialogs, %d open/restore cycles; USER and GDI objects of the "
                "process after the first round: %s; at the end: %s\n",
                rounds * kMovesPerRound, rounds * kMenusPerRound,
                kDialogsInTheFirstRound + (rounds - 1) * kDialogsPerRound, rounds * kOpensPerRound,
                Describe(first).c_str(), Describe(last).c_str());
}

TEST_F(Soak, TheRealProgramsPrivateMemoryDoesNotGrowPastTheFirstRound)
{
    BrelloxProcess brellox(MakeScratchDirectory("soak"));
    const BrelloxWindows bars = brellox.WaitForWindows();
    ASSERT_TRUE(bars.Complete());
    ASSERT_TRUE(WaitForRect(bars.bars[0], {0, 0, 2, 768}));
    const int unixProcessId = UnixProcessId("Brellox.exe");
    ASSERT_GT(unixProcessId, 0);
    sample_ = CreateSampleWindow(kSampleAt, "soak");
    std::string failure;
    ASSERT_TRUE(SoakRound(brellox.Id(), bars, sample_, kDialogsInTheFirstRound, &failure)) << failure;
    const long long first = PrivateMemoryKiB(unixProcessId);
    ASSERT_GT(first, 0);
    // The course, every tenth round, tells a steady climb from a cache filling.
    std::string course = "1: " + std::to_string(first);
    const int rounds = SoakRounds();
    for (int round = 1; round < rounds; ++round) {
        ASSERT_TRUE(SoakRound(brellox.Id(), bars, sample_, kDialogsPerRound, &failure))
            << failure << " in round " << round + 1;
        if ((round + 1) % 10 == 0 && round + 1 < rounds)
            course += ", " + std::to_string(round + 1) + ": " + std::to_string(PrivateMemoryKiB(unixProcessId));
    }
    const long long last = PrivateMemoryKiB(unixProcessId);
    EXPECT_LE(last, first + kCacheMemoryKiB) << "KiB of private memory";
    EXPECT_TRUE(brellox.Running());
    std::printf("soak figure: private memory of Brellox.exe after the first round %lld KiB, after %d rounds %lld "
                "KiB (KiB by round: %s, %d: %lld)\n",
                first, rounds, last, course.c_str(), rounds, last);
}

} // namespace
