#include "brellox_fixture.h"

#include "app/settings_file_win32.h"
#include "core/state_win32.h"
#include "core/window_names.h"

#include <algorithm>

RECT Moved(const RECT &r, LONG x, LONG y)
{
    return {x, y, x + r.right - r.left, y + r.bottom - r.top};
}

POINT Middle(const RECT &r)
{
    return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

const EdgeCase kEdgeCases[EDGE_COUNT] = {
    {EdgeLeft,
     {0, 0, 2, 768},
     {150, 0, 152, 768},
     {100, 50, 500, 400},
     {150, 50},
     {150, 620, 400, 700},
     {151, 420, 551, 600},
     {-300, 100, -1, 200}},
    {EdgeRight,
     {1022, 0, 1024, 768},
     {874, 0, 876, 768},
     {700, 10, 900, 300},
     {674, 10},
     {600, 620, 874, 700},
     {500, 300, 873, 500},
     {1025, 100, 1200, 200}},
    {EdgeTop,
     {0, 0, 1024, 2},
     {0, 150, 1024, 152},
     {10, 120, 300, 400},
     {10, 150},
     {620, 150, 900, 300},
     {400, 151, 600, 300},
     {100, -300, 300, -1}},
    {EdgeBottom,
     {0, 766, 1024, 768},
     {0, 618, 1024, 620},
     {10, 500, 300, 700},
     {10, 418},
     {620, 300, 900, 618},
     {400, 300, 600, 617},
     {100, 769, 300, 900}},
};

void TwoMonitorsSideBySide(RECT *primary, RECT *second)
{
    const std::vector<RECT> monitors = MonitorsLeftToRight();
    if (monitors.size() != 2)
        GTEST_SKIP() << "needs a session of two monitors (tools/wine-session.sh --monitors 1024x768,800x600)";
    *primary = monitors[0];
    *second = monitors[1];
    ASSERT_EQ(0, primary->left) << "the test bed puts the primary first";
    ASSERT_EQ(primary->right, second->left) << "and the second monitor right beside it";
}

void BrelloxTest::SetUp()
{
    EndAllBrellox();
}

void BrelloxTest::TearDown()
{
    // The windows go before the pointer is parked: parked while they were
    // still up, Wine failed every later window this process made, with
    // ERROR_INVALID_WINDOW_HANDLE.
    for (HWND sample : samples_)
        DestroyWindow(sample);
    ParkPointer();
    brellox_.reset();
    EndAllBrellox();
}

void BrelloxTest::Start(const std::string &settings)
{
    StartProgram(settings, BrelloxExePath());
}

void BrelloxTest::StartHost(const std::string &settings)
{
    StartProgram(settings, HostExePath());
    if (HasFatalFailure())
        return;
    control_ = WaitForHostControl(brellox_->Id());
    ASSERT_NE(nullptr, control_) << "the test host's control";
}

void BrelloxTest::StartProgram(const std::string &settings, const std::string &exe)
{
    dir_ = MakeScratchDirectory("brellox");
    WriteTextFile(SettingsPath(), settings);
    brellox_ = std::make_unique<BrelloxProcess>(dir_, exe);
    ASSERT_TRUE(brellox_->Started()) << exe;
    bars_ = brellox_->WaitForWindows();
    ASSERT_TRUE(bars_.Complete()) << "start-up of " << exe << " did not run to its end";
}

HWND BrelloxTest::Sample(const RECT &r, int show, DWORD style, const char *className, const char *title)
{
    samples_.push_back(CreateSampleWindow(r, title, style, show, className));
    return samples_.back();
}

HWND BrelloxTest::Bar(Edge edge, POINT on) const
{
    for (HWND hwnd : WindowsOfProcess(brellox_->Id())) {
        const RECT r = RectOf(hwnd);
        if (TitleOf(hwnd) == BarName(edge) && PtInRect(&r, on))
            return hwnd;
    }
    return NULL;
}

std::vector<std::string> BrelloxTest::ShownBars() const
{
    std::vector<std::string> shown;
    for (HWND hwnd : WindowsOfProcess(brellox_->Id())) {
        if (ClassOf(hwnd) == BRELLOX_CLASS_NAME && TitleOf(hwnd) != BRELLOX_OWNER_NAME && IsWindowVisible(hwnd))
            shown.push_back(TitleOf(hwnd) + " " + RectText(RectOf(hwnd)));
    }
    std::sort(shown.begin(), shown.end());
    return shown;
}

bool BrelloxTest::WaitForBars(std::vector<std::string> expected, DWORD timeoutMs) const
{
    std::sort(expected.begin(), expected.end());
    return WaitUntil([&] { return ShownBars() == expected; }, timeoutMs);
}

int BrelloxTest::SavedInt(const char *key) const
{
    return static_cast<int>(GetPrivateProfileIntA("Brellox", key, -1, SettingsPath().c_str()));
}

void InProcessSettingsTest::SetUp()
{
    const char *const barClass = RegisterTestClass("BrelloxSettingsTestBar");
    // The bars of one screen: the first monitor's.
    for (int edge = 0; edge < EDGE_COUNT; ++edge)
        g_EdgeBarSet.hwndBar[edge] =
            CreateWindowExA(0, barClass, "", WS_POPUP, 0, 0, 10, 10, NULL, NULL, GetModuleHandleA(NULL), NULL);
    g_ScreenSize = {1024, 768};
    g_MonitorLayout = SingleScreenLayout(g_ScreenSize);
    g_Settings = Settings();
    GetCurrentDirectoryA(MAX_PATH, savedDirectory_);
}

void InProcessSettingsTest::TearDown()
{
    SetCurrentDirectoryA(savedDirectory_);
    for (int edge = 0; edge < EDGE_COUNT; ++edge) {
        DestroyWindow(g_EdgeBarSet.hwndBar[edge]);
        g_EdgeBarSet.hwndBar[edge] = NULL;
    }
}

void InProcessSettingsTest::LoadFrom(const std::string &text)
{
    const std::string dir = MakeScratchDirectory("settings");
    WriteTextFile(dir + "\\Brellox.ini", text);
    ASSERT_TRUE(SetCurrentDirectoryA(dir.c_str()));
    LoadSettings();
}

bool InProcessSettingsTest::Shown(int edge) const
{
    return IsWindowVisible(g_EdgeBarSet.hwndBar[edge]) != FALSE;
}
