// LoadSettings and SaveSettings against real settings files, read and written by
// the window system's own profile functions, in this process.
#include "app/settings_file_win32.h"
#include "brellox_fixture.h"
#include "core/state_win32.h"
#include "harness.h"

#include <gtest/gtest.h>

#include <array>
#include <vector>

namespace {

class SettingsFile : public InProcessSettingsTest {};

// A record's colour components, red, green and blue, compared at once.
using Rgb = std::array<int, 3>;
Rgb RgbOf(const Settings &s)
{
    return {s.R, s.G, s.B};
}

TEST_F(SettingsFile, HandEditedValuesPassTheRangeRules)
{
    LoadFrom("[Brellox]\r\n"
             "Left=7\r\n"
             "Right=abc\r\n"
             "Top= 12xyz\r\n"
             "Bottom=0\r\n"
             "Width=-3\r\n"
             "Alpha=101\r\n"
             "Color=300,0,0\r\n"
             "Offset=385\r\n"
             "OpenWidth=-1\r\n");
    EXPECT_EQ(7, g_Settings.Left);
    EXPECT_EQ(0, g_Settings.Right) << "text that is no number";
    EXPECT_EQ(12, g_Settings.Top) << "leading digits count";
    EXPECT_EQ(0, g_Settings.Bottom);
    EXPECT_EQ(1, g_Settings.Width);
    EXPECT_EQ(0, g_Settings.Alpha);
    EXPECT_EQ((Rgb{300, 0, 0}), RgbOf(g_Settings));
    EXPECT_EQ(0, g_Settings.Offset) << "385 is more than half of 768";
    EXPECT_EQ(-1, g_Settings.OpenWidth);

    EXPECT_TRUE(Shown(0));
    EXPECT_FALSE(Shown(1));
    EXPECT_TRUE(Shown(2));
    EXPECT_FALSE(Shown(3));
}

TEST_F(SettingsFile, ValuesAtTheLimitsAndAPartialColour)
{
    g_Settings.B = 77;
    LoadFrom("[Brellox]\r\nWidth=11\r\nAlpha=100\r\nOffset=384\r\nColor=10,20\r\nLeft=0\r\nBottom=1\r\n");
    EXPECT_EQ(10, g_Settings.Width);
    EXPECT_EQ(100, g_Settings.Alpha);
    EXPECT_EQ(384, g_Settings.Offset);
    EXPECT_EQ((Rgb{10, 20, 77}), RgbOf(g_Settings)) << "a component the scan did not reach keeps its value";
    EXPECT_FALSE(Shown(0));
    EXPECT_TRUE(Shown(3));
}

TEST_F(SettingsFile, EmptyOrJunkColourChangesNothing)
{
    g_Settings.R = 1;
    g_Settings.G = 2;
    g_Settings.B = 3;
    LoadFrom("[Brellox]\r\nColor=\r\n");
    EXPECT_EQ((Rgb{1, 2, 3}), RgbOf(g_Settings));

    LoadFrom("[Brellox]\r\nColor=red\r\nWidth=wide\r\n");
    EXPECT_EQ((Rgb{1, 2, 3}), RgbOf(g_Settings));
    EXPECT_EQ(1, g_Settings.Width);
}

TEST_F(SettingsFile, NoFileGivesTheDefaultsAndCreatesNothing)
{
    const std::string dir = MakeScratchDirectory("none");
    ASSERT_TRUE(SetCurrentDirectoryA(dir.c_str()));
    LoadSettings();
    const Settings expected = {1, 0, 0, 0, 2, 0, 255, 255, 0, 0, 2};
    EXPECT_EQ(0, memcmp(&expected, &g_Settings, sizeof(Settings)));
    EXPECT_FALSE(FileExists(dir + "\\Brellox.ini"));
    EXPECT_TRUE(Shown(0));
    EXPECT_FALSE(Shown(1));
}

TEST_F(SettingsFile, SaveWritesTheWholeRecordKeyByKeyAndLoadReadsItBack)
{
    const std::string dir = MakeScratchDirectory("save");
    ASSERT_TRUE(SetCurrentDirectoryA(dir.c_str()));
    g_Settings = {7, 0, 1, 0, 11, 255, 300, -1, 0, 385, -1};
    SaveFailure failure;
    EXPECT_TRUE(SaveSettings(&failure));

    const std::vector<std::string> expected = {"[Brellox]",    "Left=7",        "Right=0",   "Top=1",
                                               "Bottom=0",     "Width=11",      "Alpha=255", "Offset=385",
                                               "OpenWidth=-1", "Color=300,-1,0"};
    EXPECT_EQ(expected, Lines(ReadTextFile(dir + "\\Brellox.ini"))) << "values are written as the record holds them";

    LoadSettings();
    const Settings reread = {7, 0, 1, 0, 10, 0, 300, -1, 0, 0, -1};
    EXPECT_EQ(0, memcmp(&reread, &g_Settings, sizeof(Settings))) << "range rules apply when the file is read";
}

TEST_F(SettingsFile, EachCallUsesTheCurrentDirectoryOfThatMoment)
{
    const std::string first = MakeScratchDirectory("here");
    const std::string second = MakeScratchDirectory("there");
    WriteTextFile(second + "\\Brellox.ini", "[Brellox]\r\nWidth=9\r\n");

    ASSERT_TRUE(SetCurrentDirectoryA(first.c_str()));
    g_Settings.Width = 5;
    SaveFailure failure;
    EXPECT_TRUE(SaveSettings(&failure));
    ASSERT_TRUE(SetCurrentDirectoryA(second.c_str()));
    LoadSettings();
    EXPECT_EQ(9, g_Settings.Width);
    EXPECT_EQ("Width=5", Lines(ReadTextFile(first + "\\Brellox.ini"))[5]);
}

// A current directory that fits the buffer while the file name no longer does.
TEST_F(SettingsFile, DirectoryTooLongForTheFileNameMeansNoSettingsFile)
{
    const std::string dir = MakeLongDirectory();
    ASSERT_EQ(250u, dir.size());
    ASSERT_TRUE(SetCurrentDirectoryA(dir.c_str())) << dir;

    g_Settings = {0, 1, 1, 1, 9, 50, 1, 2, 3, 10, 5};
    SaveFailure failure;
    EXPECT_FALSE(SaveSettings(&failure)) << "a save with no file to write is no success";
    EXPECT_STREQ("", failure.path);
    LoadSettings();
    const Settings defaults = {1, 0, 0, 0, 2, 0, 255, 255, 0, 0, 2};
    EXPECT_EQ(0, memcmp(&defaults, &g_Settings, sizeof(Settings)));

    // Nothing may have been written, under the full name or a shortened one.
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((dir + "\\*").c_str(), &found);
    ASSERT_NE(INVALID_HANDLE_VALUE, search);
    int entries = 0;
    do {
        if (lstrcmpA(found.cFileName, ".") != 0 && lstrcmpA(found.cFileName, "..") != 0)
            ++entries;
    } while (FindNextFileA(search, &found));
    FindClose(search);
    EXPECT_EQ(0, entries);
}

} // namespace
