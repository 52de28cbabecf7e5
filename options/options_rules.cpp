#include "options_rules.h"

#include "../platform/wrap_int.h"
#include "../res/resource.h"

#include <string.h>

const int kEdgeBoxIds[4] = {IDC_EDGE_LEFT, IDC_EDGE_RIGHT, IDC_EDGE_TOP, IDC_EDGE_BOTTOM};

void OptionRanges(ScreenSize screen, ValueRange ranges[OPTION_VALUE_COUNT])
{
    const int smaller = screen.cx < screen.cy ? screen.cx : screen.cy;
    ranges[ValueWidth] = {IDC_WIDTH_FIELD, IDC_WIDTH_SPIN, 1, 10};
    ranges[ValueAlpha] = {IDC_ALPHA_FIELD, IDC_ALPHA_SPIN, 0, 100};
    ranges[ValueOffset] = {IDC_OFFSET_FIELD, IDC_OFFSET_SPIN, 0, smaller / 2 - 1};
    ranges[ValueOpenWidth] = {IDC_OPENWIDTH_FIELD, IDC_OPENWIDTH_SPIN, 0, 10};
}

OptionsView StartingView(const Settings &settings, ScreenSize screen, bool layered)
{
    ValueRange ranges[OPTION_VALUE_COUNT];
    OptionRanges(screen, ranges);
    const int values[OPTION_VALUE_COUNT] = {settings.Width, settings.Alpha, settings.Offset, settings.OpenWidth};
    OptionsView view = {};
    // A spinner holds its position within its bounds, so a value from a
    // hand-edited file shows as the nearer bound. Held here in full 32 bits:
    // the spinner's own position message carries only 16.
    for (int i = 0; i < OPTION_VALUE_COUNT; ++i) {
        int value = values[i];
        if (value < ranges[i].lowest)
            value = ranges[i].lowest;
        if (value > ranges[i].highest)
            value = ranges[i].highest;
        view.shown[i] = value;
    }
    const int flags[4] = {settings.Left, settings.Right, settings.Top, settings.Bottom};
    for (int edge = 0; edge < 4; ++edge)
        view.ticked[edge] = flags[edge] != 0;
    view.alphaEnabled = layered;
    view.workingColor = static_cast<COLORREF>((settings.R & 255) | (settings.G & 255) << 8 | (settings.B & 255) << 16);
    return view;
}

int FieldTextToInt(const char *text)
{
    const char *p = text;
    while (*p == ' ' || *p == '\t' || *p == '\n' || *p == '\v' || *p == '\f' || *p == '\r')
        ++p;
    bool negative = false;
    if (*p == '+' || *p == '-') {
        negative = *p == '-';
        ++p;
    }
    int32_t value = 0;
    for (; *p >= '0' && *p <= '9'; ++p)
        value = WrapAdd(WrapMul(value, 10), *p - '0');
    return negative ? WrapSub(0, value) : value;
}

bool AnyEdgeTicked(const bool ticked[4])
{
    return ticked[0] || ticked[1] || ticked[2] || ticked[3];
}

Settings ConfirmedSettings(const char *const texts[OPTION_VALUE_COUNT], COLORREF workingColor, const bool ticked[4])
{
    Settings settings = {};
    settings.Width = FieldTextToInt(texts[ValueWidth]);
    settings.Alpha = FieldTextToInt(texts[ValueAlpha]);
    settings.Offset = FieldTextToInt(texts[ValueOffset]);
    settings.OpenWidth = FieldTextToInt(texts[ValueOpenWidth]);
    settings.R = static_cast<int>(workingColor & 255);
    settings.G = static_cast<int>((workingColor >> 8) & 255);
    settings.B = static_cast<int>((workingColor >> 16) & 255);
    settings.Left = ticked[0] ? 1 : 0;
    settings.Right = ticked[1] ? 1 : 0;
    settings.Top = ticked[2] ? 1 : 0;
    settings.Bottom = ticked[3] ? 1 : 0;
    return settings;
}

bool IsJapaneseLanguage(const char *englishLanguageName)
{
    return strcmp(englishLanguageName, "Japanese") == 0;
}
