#include "core/settings.h"
#include "native_support.h"

#include <gtest/gtest.h>

#include <array>
#include <climits>
#include <cstdio>
#include <cstring>
#include <iterator>
#include <map>
#include <random>
#include <string>
#include <vector>

namespace {

// A settings file held in memory. Integer keys and the colour text are kept
// apart, as the profile reader hands them out; every key asked for is logged
// with the default it was asked with.
struct FakeFile {
    std::map<std::string, int> numbers;
    std::map<std::string, std::string> texts;
    std::vector<std::string> asked;
    std::map<std::string, std::string> defaults;

    static int ReadInt(void *context, const char *key, int defaultValue)
    {
        FakeFile *file = static_cast<FakeFile *>(context);
        file->asked.push_back(key);
        file->defaults[key] = std::to_string(defaultValue);
        auto found = file->numbers.find(key);
        return found == file->numbers.end() ? defaultValue : found->second;
    }

    // Like the profile reader: the value, or the default, cut to size - 1 characters.
    static void ReadText(void *context, const char *key, const char *defaultText, char *buffer, int size)
    {
        FakeFile *file = static_cast<FakeFile *>(context);
        file->asked.push_back(key);
        file->defaults[key] = defaultText;
        auto found = file->texts.find(key);
        std::string value = found == file->texts.end() ? defaultText : found->second;
        value = value.substr(0, static_cast<size_t>(size - 1));
        std::memcpy(buffer, value.c_str(), value.size() + 1);
    }

    Settings Load(ScreenSize screen = kScreen1024, Settings before = Settings())
    {
        SettingsSource source = {ReadInt, ReadText, this};
        ReadSettings(&before, screen, &source);
        return before;
    }
};

Settings LoadInt(const char *key, int value, ScreenSize screen = kScreen1024)
{
    FakeFile file;
    file.numbers[key] = value;
    return file.Load(screen);
}

// A record's colour components, red, green and blue, compared at once.
using Rgb = std::array<int, 3>;
Rgb RgbOf(const Settings &s)
{
    return {s.R, s.G, s.B};
}

Settings LoadColor(const char *text, Settings before = Settings())
{
    FakeFile file;
    file.texts["Color"] = text;
    return file.Load(kScreen1024, before);
}

TEST(LoadSettings, NoFileGivesTheDefaults)
{
    FakeFile file;
    Settings s = file.Load();
    EXPECT_EQ(1, s.Left);
    EXPECT_EQ(0, s.Right);
    EXPECT_EQ(0, s.Top);
    EXPECT_EQ(0, s.Bottom);
    EXPECT_EQ(2, s.Width);
    EXPECT_EQ(0, s.Alpha) << "the default 255 is out of range and becomes opaque";
    EXPECT_EQ((Rgb{255, 255, 0}), RgbOf(s));
    EXPECT_EQ(0, s.Offset);
    EXPECT_EQ(2, s.OpenWidth);
}

TEST(LoadSettings, ReadsEveryKeyOnceInFileOrderWithItsDefault)
{
    FakeFile file;
    file.Load();
    const std::vector<std::string> order = {"Left",  "Right", "Top",    "Bottom",   "Width",
                                            "Alpha", "Color", "Offset", "OpenWidth"};
    EXPECT_EQ(order, file.asked);
    const std::map<std::string, std::string> defaults = {{"Left", "1"},          {"Right", "0"},  {"Top", "0"},
                                                         {"Bottom", "0"},        {"Width", "2"},  {"Alpha", "255"},
                                                         {"Color", "255,255,0"}, {"Offset", "0"}, {"OpenWidth", "2"}};
    EXPECT_EQ(defaults, file.defaults);
}

TEST(LoadSettings, FlagsAndOpenWidthAreStoredAsRead)
{
    EXPECT_EQ(7, LoadInt("Left", 7).Left);
    EXPECT_EQ(0, LoadInt("Left", 0).Left);
    EXPECT_EQ(-4, LoadInt("Bottom", -4).Bottom);
    EXPECT_EQ(-1, LoadInt("OpenWidth", -1).OpenWidth);
    EXPECT_EQ(INT_MAX, LoadInt("OpenWidth", INT_MAX).OpenWidth);
}

TEST(LoadSettings, WidthIsKeptBetweenOneAndTen)
{
    EXPECT_EQ(1, LoadInt("Width", 0).Width);
    EXPECT_EQ(1, LoadInt("Width", -3).Width);
    EXPECT_EQ(1, LoadInt("Width", INT_MIN).Width);
    EXPECT_EQ(1, LoadInt("Width", 1).Width);
    EXPECT_EQ(10, LoadInt("Width", 10).Width);
    EXPECT_EQ(10, LoadInt("Width", 11).Width);
    EXPECT_EQ(10, LoadInt("Width", INT_MAX).Width);
}

TEST(LoadSettings, AlphaOutsideZeroToHundredBecomesOpaque)
{
    EXPECT_EQ(0, LoadInt("Alpha", -1).Alpha);
    EXPECT_EQ(0, LoadInt("Alpha", 101).Alpha);
    EXPECT_EQ(0, LoadInt("Alpha", 0).Alpha);
    EXPECT_EQ(100, LoadInt("Alpha", 100).Alpha);
    EXPECT_EQ(37, LoadInt("Alpha", 37).Alpha);
}

TEST(LoadSettings, OffsetIsAtMostHalfTheSmallerScreenSide)
{
    EXPECT_EQ(0, LoadInt("Offset", -5).Offset);
    EXPECT_EQ(384, LoadInt("Offset", 384).Offset) << "exactly half of 768 stays";
    EXPECT_EQ(0, LoadInt("Offset", 385).Offset);
    EXPECT_EQ(0, LoadInt("Offset", 512).Offset) << "half the width is no limit when the height is smaller";

    const ScreenSize portrait = {768, 1024};
    EXPECT_EQ(384, LoadInt("Offset", 384, portrait).Offset);
    EXPECT_EQ(0, LoadInt("Offset", 385, portrait).Offset) << "the width rule applies after the height rule";
    EXPECT_EQ(0, LoadInt("Offset", 512, portrait).Offset);

    const ScreenSize odd = {1025, 767};
    EXPECT_EQ(383, LoadInt("Offset", 383, odd).Offset) << "halves are rounded toward zero";
    EXPECT_EQ(0, LoadInt("Offset", 384, odd).Offset);
}

TEST(LoadSettings, ColourKeepsTheComponentsItCannotScan)
{
    const Settings before = {0, 0, 0, 0, 0, 0, 1, 2, 3, 0, 0};
    EXPECT_EQ((Rgb{10, 20, 3}), RgbOf(LoadColor("10,20", before)));
    EXPECT_EQ((Rgb{1, 2, 3}), RgbOf(LoadColor("", before)));
    EXPECT_EQ((Rgb{300, 0, 0}), RgbOf(LoadColor("300,0,0", before)))
        << "components are not limited; drawing uses the low byte";
    EXPECT_EQ((Rgb{1, 2, 3}), RgbOf(LoadColor("yellow", before)));
    EXPECT_EQ((Rgb{7, 2, 3}), RgbOf(LoadColor("7;8;9", before)));
    EXPECT_EQ((Rgb{-5, 6, 7}), RgbOf(LoadColor(" -5, +6,7junk", before)));
}

TEST(LoadSettings, ColourBeforeTheFirstLoadStartsFromZero)
{
    EXPECT_EQ((Rgb{9, 0, 0}), RgbOf(LoadColor("9")));
}

TEST(LoadSettings, ColourTextIsCutToThirtyCharacters)
{
    // 27 spaces and "100,200,250": the reader hands over only "   ...100".
    EXPECT_EQ((Rgb{100, 2, 3}),
              RgbOf(LoadColor("                           100,200,250", Settings{0, 0, 0, 0, 0, 0, 1, 2, 3, 0, 0})));
}

TEST(ScanColor, CountsTheComponentsScanned)
{
    Settings s = {};
    EXPECT_EQ(3, ScanColor("1,2,3", &s));
    EXPECT_EQ(2, ScanColor("1,2", &s));
    EXPECT_EQ(1, ScanColor("1 ,2,3", &s)) << "a comma in the format matches only a comma";
    EXPECT_EQ(0, ScanColor("-", &s));
    EXPECT_EQ(1, ScanColor("4,-", &s));
}

TEST(ScanColor, OverlongNumbersWrapAroundInsteadOfOverflowing)
{
    Settings s = {};
    EXPECT_EQ(3, ScanColor("4294967296,2147483648,-2147483649", &s));
    EXPECT_EQ(0, s.R);
    EXPECT_EQ(INT_MIN, s.G);
    EXPECT_EQ(INT_MAX, s.B);
    EXPECT_EQ(1, ScanColor("99999999999999999999999999", &s));
}

// Where no number overflows, the scan must agree with the C library's own
// sscanf("%d,%d,%d") on both the count and the values.
TEST(ScanColor, AgreesWithSscanfOnRandomText)
{
    std::mt19937 random(20261207);
    const char alphabet[] = "0123456789,, +-\tx";
    for (int round = 0; round < 20000; ++round) {
        std::string text;
        int length = static_cast<int>(random() % 14);
        for (int i = 0; i < length; ++i)
            text += alphabet[random() % (sizeof(alphabet) - 1)];

        Settings ours = {0, 0, 0, 0, 0, 0, 11, 22, 33, 0, 0};
        int r = 11, g = 22, b = 33;
        int theirs = std::sscanf(text.c_str(), "%d,%d,%d", &r, &g, &b);
        int scanned = ScanColor(text.c_str(), &ours);
        ASSERT_EQ(theirs < 0 ? 0 : theirs, scanned) << "text \"" << text << "\"";
        ASSERT_EQ(r, ours.R) << "text \"" << text << "\"";
        ASSERT_EQ(g, ours.G) << "text \"" << text << "\"";
        ASSERT_EQ(b, ours.B) << "text \"" << text << "\"";
    }
}

// The profile file a save of entries wrote, as FakeFile holds it.
FakeFile SavedFile(const SettingsEntry entries[SETTINGS_ENTRY_COUNT])
{
    FakeFile file;
    for (int i = 0; i < SETTINGS_ENTRY_COUNT; ++i) {
        if (std::string(entries[i].key) == "Color")
            file.texts[entries[i].key] = entries[i].value;
        else
            file.numbers[entries[i].key] = std::stoi(entries[i].value);
    }
    return file;
}

TEST(SaveSettings, WritesEveryKeyInOrderAsTheRecordHoldsIt)
{
    const Settings s = {7, 0, 1, -2, 11, 255, 300, -1, 0, 385, -1};
    SettingsEntry entries[SETTINGS_ENTRY_COUNT];
    FormatSettings(&s, entries);
    const std::vector<std::pair<std::string, std::string>> expected = {
        {"Left", "7"},    {"Right", "0"},    {"Top", "1"},        {"Bottom", "-2"},     {"Width", "11"},
        {"Alpha", "255"}, {"Offset", "385"}, {"OpenWidth", "-1"}, {"Color", "300,-1,0"}};
    std::vector<std::pair<std::string, std::string>> written;
    for (const SettingsEntry &entry : entries)
        written.emplace_back(entry.key, entry.value);
    EXPECT_EQ(expected, written);
}

TEST(SaveSettings, DefaultsWrittenAndReadBackAreUnchanged)
{
    Settings defaults = FakeFile().Load();
    SettingsEntry entries[SETTINGS_ENTRY_COUNT];
    FormatSettings(&defaults, entries);

    Settings reread = SavedFile(entries).Load();
    EXPECT_EQ(0, std::memcmp(&defaults, &reread, sizeof(Settings)));
    EXPECT_STREQ("255,255,0", entries[8].value);
}

TEST(ReadSavedEntries, GivesWhatASaveAndAReloadWouldGive)
{
    std::mt19937 random(20260412);
    const int extremes[] = {0, 1, -1, 7, 10, 11, 100, 101, 255, 383, 384, 385, INT_MAX, INT_MIN};
    for (int round = 0; round < 5000; ++round) {
        Settings record;
        for (int *field : {&record.Left, &record.Right, &record.Top, &record.Bottom, &record.Width, &record.Alpha,
                           &record.R, &record.G, &record.B, &record.Offset, &record.OpenWidth})
            *field = random() % 2 ? extremes[random() % std::size(extremes)] : static_cast<int>(random());
        SettingsEntry entries[SETTINGS_ENTRY_COUNT];
        FormatSettings(&record, entries);

        Settings reloaded = SavedFile(entries).Load(kScreen1024, record);
        Settings inMemory = record;
        ReadSavedEntries(&inMemory, kScreen1024, entries);
        ASSERT_EQ(0, std::memcmp(&reloaded, &inMemory, sizeof(Settings))) << "colour " << entries[8].value;
    }
}

TEST(ReadSavedEntries, AppliesTheRangeRulesAndTheColourBuffer)
{
    const Settings record = {7, 0, 1, -2, 11, 255, INT_MIN, INT_MIN, INT_MIN, 385, -1};
    SettingsEntry entries[SETTINGS_ENTRY_COUNT];
    FormatSettings(&record, entries);
    Settings s = record;
    ReadSavedEntries(&s, kScreen1024, entries);
    const Settings expected = {7, 0, 1, -2, 10, 0, INT_MIN, INT_MIN, -21474, 0, -1};
    EXPECT_EQ(0, std::memcmp(&expected, &s, sizeof(Settings)))
        << "Width " << s.Width << ", Alpha " << s.Alpha << ", B " << s.B << " (of \"" << entries[8].value
        << "\" cut to 30 characters), Offset " << s.Offset;

    const Settings portrait = {1, 1, 0, 0, 0, 100, 1, 2, 3, 384, 10};
    FormatSettings(&portrait, entries);
    ReadSavedEntries(&s, ScreenSize{768, 1024}, entries);
    const Settings expectedPortrait = {1, 1, 0, 0, 1, 100, 1, 2, 3, 384, 10};
    EXPECT_EQ(0, std::memcmp(&expectedPortrait, &s, sizeof(Settings)));
}

TEST(FormatInt, WritesTheWholeIntRange)
{
    char text[12];
    const std::pair<int, const char *> cases[] = {
        {0, "0"}, {9, "9"}, {10, "10"}, {-1, "-1"}, {INT_MAX, "2147483647"}, {INT_MIN, "-2147483648"}};
    for (const auto &c : cases) {
        EXPECT_EQ(static_cast<int>(std::strlen(c.second)), FormatInt(c.first, text));
        EXPECT_STREQ(c.second, text);
    }
}

TEST(SettingsPath, AppendsTheFileNameOnlyWhenAllOfItFits)
{
    char path[32];
    EXPECT_TRUE(BuildSettingsPath("C:\\Users\\me", path, sizeof(path)));
    EXPECT_STREQ("C:\\Users\\me\\Brellox.ini", path);

    // 19 characters of directory + 12 of name + the terminator fill 32 bytes exactly.
    EXPECT_TRUE(BuildSettingsPath("C:\\abcdefghijklmnop", path, sizeof(path)));
    EXPECT_STREQ("C:\\abcdefghijklmnop\\Brellox.ini", path);

    std::strcpy(path, "stale");
    EXPECT_FALSE(BuildSettingsPath("C:\\abcdefghijklmnopq", path, sizeof(path)));
    EXPECT_STREQ("", path) << "no truncated name may be left behind";
}

} // namespace

namespace {

COLORREF Color(int r, int g, int b)
{
    Settings settings = {};
    settings.R = r;
    settings.G = g;
    settings.B = b;
    return SettingsColor(settings);
}

} // namespace

TEST(SettingsColor, PacksTheLowByteOfEachComponentRedFirst)
{
    EXPECT_EQ(0x00FFFFu, Color(255, 255, 0)) << "the default yellow";
    EXPECT_EQ(0x030201u, Color(1, 2, 3)) << "red in the low byte, blue in the third";
    EXPECT_EQ(0x0000FFu, Color(255, 0, 0));
    EXPECT_EQ(0x00FF00u, Color(0, 255, 0));
    EXPECT_EQ(0xFF0000u, Color(0, 0, 255));

    EXPECT_EQ(44u, Color(300, 0, 0)) << "R 300 draws as 44";
    EXPECT_EQ(0x2C2C2Cu, Color(300, 300, 300)) << "no component spills into its neighbour";
    EXPECT_EQ(0x00FF00u, Color(256, -1, 512));
    EXPECT_EQ(0xFE00FFu, Color(-1, -256, -2)) << "negative components keep their low byte";
    EXPECT_EQ(0x000080u, Color(INT_MIN + 0x80, 0, 0));
    EXPECT_EQ(0xFF0000u, Color(0, 0, INT_MAX)) << "the high bytes never reach the top of the colour";
}
