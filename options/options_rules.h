// The options dialog's rules: what its controls show for a settings record, and
// what OK makes of what they hold. Nothing here needs the window system.
#ifndef BRELLOX_OPTIONS_RULES_H
#define BRELLOX_OPTIONS_RULES_H

#include "../core/settings.h"
#include "../platform/platform_types.h"

// The four stepped values, in the order the dialog sets them up.
enum OptionValue { ValueWidth, ValueAlpha, ValueOffset, ValueOpenWidth, OPTION_VALUE_COUNT };

struct ValueRange {
    int fieldId;
    int spinnerId;
    int lowest;
    int highest;
};

// The field, spinner and bounds of each value. The highest Offset is one below
// half the smaller screen side.
void OptionRanges(ScreenSize screen, ValueRange ranges[OPTION_VALUE_COUNT]);

// The edge boxes in the order left, right, top, bottom.
extern const int kEdgeBoxIds[EDGE_COUNT];

struct OptionsView {
    int shown[OPTION_VALUE_COUNT]; // each value as its spinner shows it: held within its bounds
    bool ticked[EDGE_COUNT];       // left, right, top, bottom
    bool alphaEnabled;
    COLORREF workingColor;
};

OptionsView StartingView(const Settings &settings, ScreenSize screen, bool layered);

// A value field's text as a number: white space, an optional sign, then digits
// up to the first other character; no digits give 0.
int FieldTextToInt(const char *text);

// OK needs at least one edge.
bool AnyEdgeTicked(const bool ticked[EDGE_COUNT]);

// The record OK stores: the four field texts (Width, Alpha, Offset, OpenWidth),
// the working colour's bytes and the ticks as 1 or 0.
Settings ConfirmedSettings(const char *const texts[OPTION_VALUE_COUNT], COLORREF workingColor,
                           const bool ticked[EDGE_COUNT]);

#endif
