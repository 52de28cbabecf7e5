// What most Wine tests stand on: Brellox started for real in a directory of
// its own with the test's settings file, windows of this process for it to
// push, the places its bars and those windows take on a 1024x768 screen, and
// the cleaning up after each test.
#ifndef BRELLOX_TESTS_BRELLOX_FIXTURE_H
#define BRELLOX_TESTS_BRELLOX_FIXTURE_H

#include "harness.h"
#include "host_control.h"
#include "window_checks.h"

#include "core/edges.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

const char kAllBars[] = "[Brellox]\r\nLeft=1\r\nRight=1\r\nTop=1\r\nBottom=1\r\n";

// r moved so that its top-left corner is (x, y), its size kept.
RECT Moved(const RECT &r, LONG x, LONG y);
POINT Middle(const RECT &r);

// Each bar's rest and open on 1024x768 with Width 2, Offset 0, an icon cell
// of 75 and OpenWidth 2 (lines at 150, 874, 150 and 618), with windows that
// reach its strip, lie exactly on its line, stop just short of it or lie
// wholly beyond its edge.
struct EdgeCase {
    Edge edge;
    RECT barRest;
    RECT barOpen;
    RECT reaches;   // a window reaching into the strip
    POINT pushedTo; // where the open puts it
    RECT onLine;    // a window whose edge lies exactly on the line
    RECT short_;    // a window just short of the line
    RECT beyond;    // a window wholly beyond the screen edge
};
extern const EdgeCase kEdgeCases[EDGE_COUNT];

// The monitors of a session of two side by side (tools/wine-session.sh
// --monitors 1024x768,800x600, or the other way round): the primary at the
// left, at 0,0, and the second right beside it. For a fixture's SetUp: the
// test is skipped in any other session.
void TwoMonitorsSideBySide(RECT *primary, RECT *second);

// Brellox.exe, or its test host, started for each test.
class BrelloxTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Writes settings as the settings file of a fresh directory, starts the
    // program there and waits until start-up has run to its end.
    void Start(const std::string &settings = "[Brellox]\r\n");
    // The same with the test host, whose control a test posts opens to.
    void StartHost(const std::string &settings = "[Brellox]\r\n");

    // What a double-click on the bar and the end of its drag run, through the
    // host. A bar is named by its slot (BarSlot): on the primary monitor, its edge.
    void Open(int bar) const { PostMessageA(control_, HOST_OPEN_EDGE, bar, 0); }
    void SweepAtBar(int bar) const { PostMessageA(control_, HOST_SWEEP_AT_BAR, bar, 0); }

    // A window of this process for Brellox to push, destroyed after the test.
    HWND Sample(const RECT &r, int show = SW_SHOWNOACTIVATE, DWORD style = WS_OVERLAPPEDWINDOW,
                const char *className = NULL, const char *title = "sample");

    std::string SettingsPath() const { return dir_ + "\\Brellox.ini"; }
    // A key of the settings file as a number; -1 when it is not there.
    int SavedInt(const char *key) const;
    HWND OpenOptions(int x, int y) const { return OpenOptionsFromBar(brellox_->Id(), x, y); }
    HWND OptionsDialog() const { return OptionsDialogOf(brellox_->Id()); }

    // The bar of that edge whose rectangle contains the point, on whichever
    // monitor it lies; NULL when there is none.
    HWND Bar(Edge edge, POINT on) const;
    // Every bar shown, sorted, as "name (left,top)-(right,bottom)".
    std::vector<std::string> ShownBars() const;
    // Waits until the bars shown are those, in any order.
    bool WaitForBars(std::vector<std::string> expected, DWORD timeoutMs = 3000) const;

    std::string dir_;
    std::unique_ptr<BrelloxProcess> brellox_;
    BrelloxWindows bars_ = {};
    HWND control_ = NULL;
    std::vector<HWND> samples_;

private:
    void StartProgram(const std::string &settings, const std::string &exe);
};

// Brellox's settings code run in this process against real settings files:
// a plain window stands in for the bar of each edge, and each file is read
// from a directory of its own, the current one until the test ends.
class InProcessSettingsTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    void LoadFrom(const std::string &text);
    bool Shown(int edge) const;

private:
    char savedDirectory_[MAX_PATH] = "";
};

#endif
