// Settings files no one would write by hand: binary garbage, lines of a
// mebibyte, numbers past 32 bits, repeated keys and sections, a directory in
// place of the file, a directory name that leaves no room for the file name.
// The window system's profile reader decides what each key reads as; the
// program must take that through its range rules and keep running.
#include "app/settings_file_win32.h"
#include "brellox_fixture.h"
#include "core/state_win32.h"
#include "core/window_names.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

const Settings kDefaults = {1, 0, 0, 0, 2, 0, 255, 255, 0, 0, 2};
const std::string kMebibyte(1 << 20, 'x');

// Bytes of every value, NULs included, the same on every run.
std::string Garbage(size_t size)
{
    std::string bytes;
    unsigned state = 12345;
    for (size_t i = 0; i < size; ++i) {
        state = state * 1103515245u + 12345u;
        bytes += static_cast<char>(i % 61 == 0 ? 0 : state >> 16);
    }
    return bytes;
}

::testing::AssertionResult SameSettings(const Settings &expected, const Settings &actual)
{
    if (memcmp(&expected, &actual, sizeof(Settings)) == 0)
        return ::testing::AssertionSuccess();
    auto describe = [](const Settings &s) {
        return "Left " + std::to_string(s.Left) + " Right " + std::to_string(s.Right) + " Top " +
               std::to_string(s.Top) + " Bottom " + std::to_string(s.Bottom) + " Width " + std::to_string(s.Width) +
               " Alpha " + std::to_string(s.Alpha) + " Color " + std::to_string(s.R) + "," + std::to_string(s.G) + "," +
               std::to_string(s.B) + " Offset " + std::to_string(s.Offset) + " OpenWidth " +
               std::to_string(s.OpenWidth);
    };
    return ::testing::AssertionFailure() << "read " << describe(actual) << "\nexpected " << describe(expected);
}

// Writes the file under a name the ANSI file functions cannot reach.
bool WriteLongPathFile(const std::string &path, const std::string &text)
{
    const std::wstring name = L"\\\\?\\" + std::wstring(path.begin(), path.end());
    HANDLE file = CreateFileW(name.c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    const bool ok =
        WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, NULL) && written == text.size();
    return CloseHandle(file) && ok;
}

class HostileSettingsFile : public InProcessSettingsTest {};

TEST_F(HostileSettingsFile, BinaryGarbageWithoutASectionGivesTheDefaults)
{
    LoadFrom(Garbage(1 << 16));
    EXPECT_TRUE(SameSettings(kDefaults, g_Settings));
    EXPECT_TRUE(Shown(0));
    EXPECT_FALSE(Shown(2));
}

TEST_F(HostileSettingsFile, GarbageAndNulsInsideTheSectionSpoilOnlyWhatTheyTouch)
{
    LoadFrom("[Brellox]\r\nWidth=5\r\n" + Garbage(1 << 16) + "\r\nAlpha=20\r\n");
    EXPECT_TRUE(SameSettings({1, 0, 0, 0, 5, 20, 255, 255, 0, 0, 2}, g_Settings));

    // A NUL inside a key name makes another key; inside a value it ends the value.
    LoadFrom(std::string("[Brellox]\r\nLeft=0\r\nWid\0th=7\r\nAlpha=3\0"
                         "5\r\nTop=1\r\n",
                         46));
    EXPECT_TRUE(SameSettings({0, 0, 1, 0, 2, 3, 255, 255, 0, 0, 2}, g_Settings));
    EXPECT_FALSE(Shown(0));
    EXPECT_TRUE(Shown(2));
}

TEST_F(HostileSettingsFile, LinesOfAMebibyteAreSkippedOrCutToTheReadBuffer)
{
    LoadFrom("[Brellox]\r\nWidth=5\r\n" + kMebibyte + "\r\nAlpha=20\r\n");
    EXPECT_TRUE(SameSettings({1, 0, 0, 0, 5, 20, 255, 255, 0, 0, 2}, g_Settings)) << "a line without a value";

    LoadFrom("[Brellox]\r\n" + kMebibyte + "=3\r\nAlpha=20\r\n");
    EXPECT_TRUE(SameSettings({1, 0, 0, 0, 2, 20, 255, 255, 0, 0, 2}, g_Settings)) << "a key of a mebibyte";

    LoadFrom("[" + kMebibyte + "]\r\nWidth=3\r\n[Brellox]\r\nAlpha=20\r\n");
    EXPECT_TRUE(SameSettings({1, 0, 0, 0, 2, 20, 255, 255, 0, 0, 2}, g_Settings)) << "a section of a mebibyte";

    // The profile reader hands over 29 digits for a number, the colour buffer
    // 30; each wraps to 32 bits before the range rules see it. Components the
    // scan does not reach keep their values.
    g_Settings.G = 2;
    g_Settings.B = 3;
    LoadFrom("[Brellox]\r\nWidth=" + std::string(1 << 20, '7') + "\r\nColor=" + std::string(1 << 20, '9') +
             "\r\nOffset=" + std::string(1 << 20, '9') + "\r\n");
    EXPECT_TRUE(SameSettings({1, 0, 0, 0, 1, 0, 1073741823, 2, 3, 0, 2}, g_Settings)) << "values of a mebibyte";
}

TEST_F(HostileSettingsFile, NumbersBeyond32BitsWrapAndThenPassTheRangeRules)
{
    LoadFrom("[Brellox]\r\nLeft=4294967296\r\nRight=4294967295\r\nWidth=99999999999\r\nAlpha=4294967346\r\n"
             "Offset=-4294967297\r\nColor=4294967296,-99999999999,7\r\nOpenWidth=99999999999\r\n");
    EXPECT_TRUE(SameSettings({0, -1, 0, 0, 10, 50, 0, -1215752191, 7, 0, 1215752191}, g_Settings));
    EXPECT_FALSE(Shown(0));
    EXPECT_TRUE(Shown(1));

    LoadFrom("[Brellox]\r\nWidth=-99999999999\r\nAlpha=-4294967246\r\nOffset=4294967396\r\n"
             "OpenWidth=-4294967297\r\nColor=1,2,3\r\n");
    EXPECT_TRUE(SameSettings({1, 0, 0, 0, 1, 50, 1, 2, 3, 100, -1}, g_Settings));
}

TEST_F(HostileSettingsFile, OfRepeatedKeysAndSectionsTheFirstCounts)
{
    LoadFrom("[Brellox]\r\nWidth=3\r\nWidth=7\r\nColor=1,2,3\r\nColor=4,5,6\r\nLeft=0\r\nLeft=1\r\n");
    EXPECT_TRUE(SameSettings({0, 0, 0, 0, 3, 0, 1, 2, 3, 0, 2}, g_Settings));
    EXPECT_FALSE(Shown(0));

    // Section names compare without regard to case; a later section of the same
    // name is never reached, not even for keys the first one lacks.
    LoadFrom("[Brellox]\r\nWidth=3\r\n[Other]\r\nAlpha=5\r\n[BRELLOX]\r\nWidth=7\r\nAlpha=40\r\nTop=1\r\n");
    EXPECT_TRUE(SameSettings({1, 0, 0, 0, 3, 0, 255, 255, 0, 0, 2}, g_Settings));
    EXPECT_FALSE(Shown(2));
}

TEST_F(HostileSettingsFile, ADirectoryInPlaceOfTheFileGivesTheDefaultsAndASaveLeavesItAlone)
{
    const std::string dir = MakeScratchDirectory("isdir");
    const std::string ini = dir + "\\Brellox.ini";
    ASSERT_TRUE(CreateDirectoryA(ini.c_str(), NULL));
    ASSERT_TRUE(SetCurrentDirectoryA(dir.c_str()));
    g_Settings.Width = 9;
    LoadSettings();
    EXPECT_TRUE(SameSettings(kDefaults, g_Settings));

    g_Settings = {0, 1, 1, 1, 9, 50, 1, 2, 3, 10, 5};
    SaveFailure failure;
    EXPECT_FALSE(SaveSettings(&failure));
    EXPECT_EQ(ini, failure.path);
    EXPECT_NE(0u, failure.error);
    EXPECT_EQ(static_cast<DWORD>(FILE_ATTRIBUTE_DIRECTORY), GetFileAttributesA(ini.c_str()) & FILE_ATTRIBUTE_DIRECTORY);
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((ini + "\\*").c_str(), &found);
    ASSERT_NE(INVALID_HANDLE_VALUE, search);
    int entries = 0;
    do {
        entries += lstrcmpA(found.cFileName, ".") != 0 && lstrcmpA(found.cFileName, "..") != 0;
    } while (FindNextFileA(search, &found));
    FindClose(search);
    EXPECT_EQ(0, entries);
    LoadSettings();
    EXPECT_TRUE(SameSettings(kDefaults, g_Settings));
}

// Brellox.exe started on each such file: it comes up with its owner and bars,
// answers, shows what the range rules allow, and ends with exit code 0 when a
// newer copy would end it.
struct HostileCase {
    const char *name; // letters only: it names the test
    std::string text; // empty: Brellox.ini is a directory
    bool shown[EDGE_COUNT];
    RECT leftOrRight; // the left bar if shown, else the right one
    COLORREF color;
    BYTE alpha;
};

void PrintTo(const HostileCase &c, std::ostream *os)
{
    *os << c.name;
}

std::vector<HostileCase> HostileCases()
{
    return {
        {"Garbage", Garbage(1 << 16), {true, false, false, false}, {0, 0, 2, 768}, RGB(255, 255, 0), 255},
        {"MebibyteLine",
         "[Brellox]\r\n" + kMebibyte + "\r\nWidth=5\r\nColor=0,0,255\r\n",
         {true, false, false, false},
         {0, 0, 5, 768},
         RGB(0, 0, 255),
         255},
        {"MebibyteValues",
         "[Brellox]\r\nWidth=" + std::string(1 << 20, '7') + "\r\nColor=" + std::string(1 << 20, '9') +
             "\r\nAlpha=" + std::string(1 << 20, '9') + "\r\nBottom=1\r\n",
         {true, false, false, true},
         {0, 0, 1, 768},
         RGB(255, 0, 0),
         255},
        {"Beyond32Bits",
         "[Brellox]\r\nLeft=8589934592\r\nRight=4294967295\r\nWidth=99999999999\r\nAlpha=4294967296\r\n"
         "Offset=-4294967297\r\nColor=4294967296,-99999999999,7\r\nOpenWidth=99999999999\r\n",
         {false, true, false, false},
         {1014, 0, 1024, 768},
         RGB(0, 1, 7),
         255},
        {"OffsetAndAlphaBeyond32Bits",
         "[Brellox]\r\nOffset=4294967396\r\nAlpha=4294967346\r\nColor=0,128,0\r\n",
         {true, false, false, false},
         {0, 100, 2, 668},
         RGB(0, 128, 0),
         127},
        {"RepeatedKeysAndSections",
         "[Brellox]\r\nWidth=3\r\nColor=0,128,0\r\nWidth=8\r\nColor=255,0,0\r\nLeft=1\r\nLeft=0\r\n[Other]\r\nTop=1\r\n"
         "[Brellox]\r\nRight=1\r\nWidth=9\r\n",
         {true, false, false, false},
         {0, 0, 3, 768},
         RGB(0, 128, 0),
         255},
        {"Directory", "", {true, false, false, false}, {0, 0, 2, 768}, RGB(255, 255, 0), 255},
    };
}

class HostileSettingsProgram : public ::testing::TestWithParam<HostileCase> {
protected:
    void SetUp() override { EndAllBrellox(); }
    void TearDown() override { EndAllBrellox(); }
};

TEST_P(HostileSettingsProgram, StartsAnswersShowsDefinedBarsAndEndsWithZero)
{
    const HostileCase &c = GetParam();
    const std::string dir = MakeScratchDirectory("hostile");
    if (c.text.empty())
        ASSERT_TRUE(CreateDirectoryA((dir + "\\Brellox.ini").c_str(), NULL));
    else
        WriteTextFile(dir + "\\Brellox.ini", c.text);

    BrelloxProcess brellox(dir);
    ASSERT_TRUE(brellox.Started());
    BrelloxWindows windows = brellox.WaitForWindows();
    ASSERT_TRUE(windows.Complete());
    EXPECT_TRUE(Answers(windows.owner));

    for (int edge = 0; edge < EDGE_COUNT; ++edge) {
        SCOPED_TRACE(BarName(static_cast<Edge>(edge)));
        EXPECT_TRUE(WaitUntil([&] { return (IsWindowVisible(windows.bars[edge]) != FALSE) == c.shown[edge]; },
                              kStartTimeoutMs));
    }
    HWND bar = windows.bars[c.shown[0] ? 0 : 1];
    EXPECT_TRUE(ComesTo(bar, c.leftOrRight));
    const RECT &r = c.leftOrRight;
    // A see-through bar mixes with what lies beneath; only an opaque one shows its colour as it is.
    if (c.alpha == 255) {
        EXPECT_TRUE(WaitUntil([&] { return ScreenPixel(r.left, (r.top + r.bottom) / 2) == c.color; }, kStartTimeoutMs))
            << std::hex << ScreenPixel(r.left, (r.top + r.bottom) / 2);
    }
    BYTE alpha = 0;
    EXPECT_TRUE(GetLayeredWindowAttributes(bar, NULL, &alpha, NULL));
    EXPECT_EQ(c.alpha, alpha);

    EXPECT_TRUE(Answers(bar));
    EXPECT_TRUE(brellox.Running());
    SendMessageA(windows.owner, WM_DESTROY, 0, 0);
    DWORD code = 99;
    ASSERT_TRUE(brellox.WaitForExit(kStartTimeoutMs, &code));
    EXPECT_EQ(0u, code);
}

INSTANTIATE_TEST_SUITE_P(Files, HostileSettingsProgram, ::testing::ValuesIn(HostileCases()),
                         [](const ::testing::TestParamInfo<HostileCase> &info) { return info.param.name; });

class HostileSettingsDirectory : public ::testing::Test {
protected:
    void SetUp() override { EndAllBrellox(); }
    void TearDown() override { EndAllBrellox(); }
};

// The settings file cannot be named within the path buffer: the program runs
// on the defaults, neither reading the real file through a longer name nor a
// file whose name is the buffer's worth of it.
TEST_F(HostileSettingsDirectory, NoRoomForTheFileNameMeansTheDefaults)
{
    const std::string dir = MakeLongDirectory();
    ASSERT_EQ(250u, dir.size());
    const std::string settings = "[Brellox]\r\nLeft=0\r\nTop=1\r\nWidth=7\r\n";
    ASSERT_TRUE(WriteLongPathFile(dir + "\\Brellox.ini", settings));
    ASSERT_TRUE(WriteLongPathFile(dir + "\\Brellox", settings));

    BrelloxProcess brellox(dir);
    ASSERT_TRUE(brellox.Started());
    BrelloxWindows windows = brellox.WaitForWindows();
    ASSERT_TRUE(windows.Complete());
    EXPECT_TRUE(Answers(windows.owner));
    EXPECT_TRUE(ComesTo(windows.bars[EdgeLeft], {0, 0, 2, 768}));
    EXPECT_TRUE(IsWindowVisible(windows.bars[EdgeLeft]));
    EXPECT_FALSE(IsWindowVisible(windows.bars[EdgeTop]));
    SendMessageA(windows.owner, WM_DESTROY, 0, 0);
    DWORD code = 99;
    ASSERT_TRUE(brellox.WaitForExit(kStartTimeoutMs, &code));
    EXPECT_EQ(0u, code);
}

// OpenWidth has no range rule: a wrapped huge value or a negative one puts the
// bar far inside or outside the screen, and the program goes on as usual.
struct OpenWidthCase {
    const char *value;
    // 75-pixel icon cells times the wrapped value, wrapped again; the window
    // system keeps a window's position within 16 bits.
    LONG barLeft;
    bool pushesTheSample;
};

void PrintTo(const OpenWidthCase &c, std::ostream *os)
{
    *os << c.value;
}

class HostileOpenWidth : public BrelloxTest, public ::testing::WithParamInterface<OpenWidthCase> {};

TEST_P(HostileOpenWidth, AnOpenAndARestoreLeaveTheProgramAnswering)
{
    StartHost(std::string("[Brellox]\r\nOpenWidth=") + GetParam().value + "\r\n");
    const RECT sampleRect = {20, 100, 320, 300};
    HWND sample = Sample(sampleRect);

    Open(EdgeLeft);
    const LONG x = GetParam().barLeft;
    const RECT open = {x, 0, x + 2, 768};
    EXPECT_TRUE(ComesTo(bars_.bars[EdgeLeft], open));
    // Answered once the open's sweep is over, as the sweep sends nothing to this
    // process unless it moves the sample.
    EXPECT_TRUE(Answers(bars_.owner));
    const RECT pushed = {x, 100, x + 300, 300};
    if (GetParam().pushesTheSample)
        EXPECT_TRUE(ComesTo(sample, pushed));
    else
        EXPECT_TRUE(HasRect(sample, sampleRect));

    PostMessageA(control_, HOST_RESTORE_ALL, 0, 0);
    EXPECT_TRUE(ComesTo(bars_.bars[EdgeLeft], {0, 0, 2, 768}));
    EXPECT_TRUE(ComesTo(sample, sampleRect));
    EXPECT_TRUE(Answers(bars_.owner));
    EXPECT_TRUE(brellox_->Running());
}

INSTANTIATE_TEST_SUITE_P(Values, HostileOpenWidth,
                         ::testing::Values(OpenWidthCase{"99999999999", 32767, true},
                                           OpenWidthCase{"57266231", 29, true},
                                           OpenWidthCase{"-4294967297", -75, false}));

} // namespace
