#include "core/language.h"
#include "native_support.h"
#include "options/options_rules.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

const Settings kTypical = {1, 0, 0, 0, 2, 50, 255, 255, 0, 0, 2};

int HighestOffset(int cx, int cy)
{
    ValueRange ranges[OPTION_VALUE_COUNT];
    OptionRanges(ScreenSize{cx, cy}, ranges);
    return ranges[ValueOffset].highest;
}

// What the spinner of one value shows when the record holds value for it.
int ShownAs(int Settings::*field, OptionValue which, int value, ScreenSize screen = kScreen1024)
{
    Settings s = kTypical;
    s.*field = value;
    return StartingView(s, screen, true).shown[which];
}

// Field by field, so that a failure names the field.
void ExpectSettings(const Settings &expected, const Settings &actual)
{
    const int Settings::*const fields[] = {&Settings::Left,  &Settings::Right,  &Settings::Top,      &Settings::Bottom,
                                           &Settings::Width, &Settings::Alpha,  &Settings::R,        &Settings::G,
                                           &Settings::B,     &Settings::Offset, &Settings::OpenWidth};
    const char *const names[] = {"Left", "Right", "Top", "Bottom", "Width",    "Alpha",
                                 "R",    "G",     "B",   "Offset", "OpenWidth"};
    for (int i = 0; i < 11; ++i)
        EXPECT_EQ(expected.*fields[i], actual.*fields[i]) << names[i];
}

COLORREF ColourOf(int r, int g, int b)
{
    return StartingView({1, 0, 0, 0, 2, 50, r, g, b, 0, 2}, kScreen1024, true).workingColor;
}

TEST(OptionRanges, EachValueHasItsFieldSpinnerAndBounds)
{
    ValueRange ranges[OPTION_VALUE_COUNT];
    OptionRanges(kScreen1024, ranges);
    const ValueRange expected[OPTION_VALUE_COUNT] = {
        {1005, 1003, 1, 10}, {1007, 1004, 0, 100}, {1012, 1011, 0, 383}, {1014, 1013, 0, 10}};
    for (int i = 0; i < OPTION_VALUE_COUNT; ++i) {
        EXPECT_EQ(expected[i].fieldId, ranges[i].fieldId) << "value " << i;
        EXPECT_EQ(expected[i].spinnerId, ranges[i].spinnerId) << "value " << i;
        EXPECT_EQ(expected[i].lowest, ranges[i].lowest) << "value " << i;
        EXPECT_EQ(expected[i].highest, ranges[i].highest) << "value " << i;
    }
    const int edgeBoxes[EDGE_COUNT] = {1006, 1008, 1009, 1010};
    for (int edge = 0; edge < EDGE_COUNT; ++edge)
        EXPECT_EQ(edgeBoxes[edge], kEdgeBoxIds[edge]) << "edge " << edge;
}

TEST(OptionRanges, HighestOffsetIsOneBelowHalfTheSmallerSide)
{
    EXPECT_EQ(383, HighestOffset(1024, 768));
    EXPECT_EQ(299, HighestOffset(800, 600));
    EXPECT_EQ(539, HighestOffset(1920, 1080));
    EXPECT_EQ(511, HighestOffset(1280, 1024));
    EXPECT_EQ(383, HighestOffset(768, 1024)) << "on a portrait screen the width is the smaller side";
}

TEST(StartingView, ShowsEachValueHeldWithinItsBounds)
{
    const OptionsView view = StartingView({0, 0, 0, 0, 7, 37, 0, 0, 0, 200, 3}, kScreen1024, true);
    EXPECT_EQ(7, view.shown[ValueWidth]);
    EXPECT_EQ(37, view.shown[ValueAlpha]);
    EXPECT_EQ(200, view.shown[ValueOffset]);
    EXPECT_EQ(3, view.shown[ValueOpenWidth]);
    EXPECT_EQ(383, ShownAs(&Settings::Offset, ValueOffset, 383)) << "the highest bound itself is kept";

    EXPECT_EQ(1, ShownAs(&Settings::Width, ValueWidth, 0));
    EXPECT_EQ(10, ShownAs(&Settings::Width, ValueWidth, 11));
    EXPECT_EQ(0, ShownAs(&Settings::Alpha, ValueAlpha, -1));
    EXPECT_EQ(100, ShownAs(&Settings::Alpha, ValueAlpha, 101));
    EXPECT_EQ(10, ShownAs(&Settings::OpenWidth, ValueOpenWidth, 15));
    EXPECT_EQ(0, ShownAs(&Settings::OpenWidth, ValueOpenWidth, -1));
    EXPECT_EQ(383, ShownAs(&Settings::Offset, ValueOffset, 384)) << "LoadSettings accepts 384, the dialog does not";
    EXPECT_EQ(10, ShownAs(&Settings::OpenWidth, ValueOpenWidth, 70000));
    EXPECT_EQ(10, ShownAs(&Settings::OpenWidth, ValueOpenWidth, 65541)) << "16 bits would leave 5";
    EXPECT_EQ(10, ShownAs(&Settings::OpenWidth, ValueOpenWidth, 65535)) << "16 bits would leave -1, shown as 0";
    EXPECT_EQ(0, ShownAs(&Settings::OpenWidth, ValueOpenWidth, INT_MIN));
}

TEST(StartingView, TicksAlphaAndColourFollowTheRecord)
{
    const Settings s = {7, -1, 0, 1, 2, 50, 0, 0, 0, 0, 2};
    OptionsView view = StartingView(s, kScreen1024, true);
    EXPECT_TRUE(view.ticked[0]) << "any non-zero flag ticks its box";
    EXPECT_TRUE(view.ticked[1]);
    EXPECT_FALSE(view.ticked[2]);
    EXPECT_TRUE(view.ticked[3]);
    EXPECT_TRUE(view.alphaEnabled);
    EXPECT_FALSE(StartingView(s, kScreen1024, false).alphaEnabled);

    EXPECT_EQ(0x0000002Cu, ColourOf(300, 0, 0)) << "only the low byte of each component counts";
    EXPECT_EQ(0x0000FFFFu, ColourOf(255, 255, 0));
    EXPECT_EQ(0x00FE00FFu, ColourOf(-1, -256, -2));
}

TEST(FieldTextToInt, ReadsSignAndDigitsAfterWhiteSpace)
{
    EXPECT_EQ(10, FieldTextToInt("10"));
    EXPECT_EQ(7, FieldTextToInt("  7"));
    EXPECT_EQ(7, FieldTextToInt("\t\r\n7"));
    EXPECT_EQ(5, FieldTextToInt("+5"));
    EXPECT_EQ(-3, FieldTextToInt("-3"));
    EXPECT_EQ(12, FieldTextToInt("12abc"));
    EXPECT_EQ(0, FieldTextToInt(""));
    EXPECT_EQ(0, FieldTextToInt("abc"));
    EXPECT_EQ(0, FieldTextToInt("-"));
    EXPECT_EQ(0, FieldTextToInt(" - 4")) << "no space between the sign and the digits";
}

TEST(FieldTextToInt, OverlongNumbersWrapAroundInsteadOfOverflowing)
{
    EXPECT_EQ(INT_MAX, FieldTextToInt("2147483647"));
    EXPECT_EQ(INT_MIN, FieldTextToInt("-2147483648"));
    EXPECT_EQ(0, FieldTextToInt("4294967296"));
    EXPECT_EQ(INT_MIN, FieldTextToInt("2147483648"));
    EXPECT_EQ(1661992960, FieldTextToInt("100000000000000000000")) << "10^20 modulo 2^32";
}

TEST(AnyEdgeTicked, NeedsAtLeastOneEdge)
{
    const bool none[EDGE_COUNT] = {false, false, false, false};
    EXPECT_FALSE(AnyEdgeTicked(none));
    for (int edge = 0; edge < EDGE_COUNT; ++edge) {
        bool ticked[EDGE_COUNT] = {false, false, false, false};
        ticked[edge] = true;
        EXPECT_TRUE(AnyEdgeTicked(ticked)) << "edge " << edge << " alone";
    }
}

TEST(ConfirmedSettings, StoresTheFieldTextsColourBytesAndTicks)
{
    const char *const texts[OPTION_VALUE_COUNT] = {"3", "50", "383", "10"};
    const bool leftOnly[EDGE_COUNT] = {true, false, false, false};
    ExpectSettings({1, 0, 0, 0, 3, 50, 44, 0, 0, 383, 10}, ConfirmedSettings(texts, 0x0000002C, leftOnly));

    const bool allButLeft[EDGE_COUNT] = {false, true, true, true};
    // The top byte of the colour is ignored.
    ExpectSettings({0, 1, 1, 1, 3, 50, 0x56, 0x34, 0x12, 383, 10}, ConfirmedSettings(texts, 0xFF123456, allButLeft));
}

TEST(OptionsRoundTrip, HandEditedRecordComesBackWithinTheDialogBounds)
{
    const OptionsView view = StartingView({7, 0, 0, 0, 2, 100, 300, 0, 0, 384, 15}, kScreen1024, true);
    char fields[OPTION_VALUE_COUNT][12];
    const char *texts[OPTION_VALUE_COUNT];
    for (int i = 0; i < OPTION_VALUE_COUNT; ++i) {
        FormatInt(view.shown[i], fields[i]);
        texts[i] = fields[i];
    }
    // The flag 7 comes back as 1, R 300 as its low byte 44, and Offset and
    // OpenWidth as the bounds the spinners held them to.
    ExpectSettings({1, 0, 0, 0, 2, 100, 44, 0, 0, 383, 10}, ConfirmedSettings(texts, view.workingColor, view.ticked));
}

TEST(JapaneseLanguage, OnlyTheExactNameCounts)
{
    EXPECT_TRUE(IsJapaneseLanguage("Japanese"));
    EXPECT_FALSE(IsJapaneseLanguage("japanese"));
    EXPECT_FALSE(IsJapaneseLanguage("Japanese "));
    EXPECT_FALSE(IsJapaneseLanguage("Japanese (Japan)"));
    EXPECT_FALSE(IsJapaneseLanguage("Japan"));
    EXPECT_FALSE(IsJapaneseLanguage("English"));
    EXPECT_FALSE(IsJapaneseLanguage(""));
}

} // namespace
