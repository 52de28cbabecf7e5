#include "options_rules.h"

#include "../platform/wrap_int.h"
#include "../res/resource.h"

const int kEdgeBoxIds[EDGE_COUNT] = {IDC_EDGE_LEFT, IDC_EDGE_RIGHT, IDC_EDGE_TOP, IDC_EDGE_BOTTOM};

void OptionRanges(ScreenSize screen, ValueRange ranges[OPTION_VALUE_COUNT])
{
    const int smaller = screen.cx < screen.cy ? screen.cx : screen.cy;
    ranges[ValueWidth] = {IDC_WIDTH_FIELD, IDC_WIDTH_SPIN, WIDTH_LOWEST, WIDTH_HIGHEST};
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
    for (int edge = 0; edge < EDGE_COUNT; ++edge)
        view.ticked[edge] = EdgeEnabled(settings, static_cast<Edge>(edge));
    view.alphaEnabled = layered;
    view.workingColor = SettingsColor(settings);
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

bool AnyEdgeTicked(const bool ticked[EDGE_COUNT])
{
    for (int edge = 0; edge < EDGE_COUNT; ++edge) {
        if (ticked[edge])
            return true;
    }
    return false;
}

Settings ConfirmedSettings(const char *const texts[OPTION_VALUE_COUNT], COLORREF workingColor,
                           const bool ticked[EDGE_COUNT])
{
    Settings settings = {};
    settings.Width = FieldTextToInt(texts[ValueWidth]);
    settings.Alpha = FieldTextToInt(texts[ValueAlpha]);
    settings.Offset = FieldTextToInt(texts[ValueOffset]);
    settings.OpenWidth = FieldTextToInt(texts[ValueOpenWidth]);
    settings.R = static_cast<int>(workingColor & 255);
    settings.G = static_cast<int>((workingColor >> 8) & 255);
    settings.B = static_cast<int>((workingColor >> 16) & 255);
    settings.Left = ticked[EdgeLeft] ? 1 : 0;
    settings.Right = ticked[EdgeRight] ? 1 : 0;
    settings.Top = ticked[EdgeTop] ? 1 : 0;
    settings.Bottom = ticked[EdgeBottom] ? 1 : 0;
    return settings;
}
