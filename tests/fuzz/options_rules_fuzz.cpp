// The options dialog's rules with any field texts, colour, ticks, screen and
// settings record: the field conversion against the C library, OK's record and
// its save and reload, and the view the dialog starts from.
//
// Input lines: the Width, Alpha, Offset and OpenWidth field texts (any bytes,
// each up to its first NUL); the working colour as a number; the ticks as a
// number (bits 0 to 3: left, right, top, bottom; bit 4: layered windows);
// "cx cy", the screen size; then the eleven fields of a settings record, in
// declaration order, for the dialog to start from. Missing lines are empty.
#include "core/language.h"
#include "core/settings.h"
#include "fuzz_support.h"
#include "options/options_rules.h"
#include "saved_file.h"

#include <string.h>

#include <string>

namespace {

void CheckFieldText(const char *text)
{
    const ReferenceNumber reference = ReferenceScanNumber(text);
    FUZZ_CHECK(FieldTextToInt(text) == (reference.found ? reference.value : 0));
}

void CheckRanges(ScreenSize screen, const ValueRange ranges[OPTION_VALUE_COUNT])
{
    const int64_t smaller = screen.cx < screen.cy ? screen.cx : screen.cy;
    const int64_t bounds[OPTION_VALUE_COUNT][2] = {{1, 10}, {0, 100}, {0, smaller / 2 - 1}, {0, 10}};
    for (int i = 0; i < OPTION_VALUE_COUNT; ++i) {
        FUZZ_CHECK(ranges[i].lowest == bounds[i][0] && ranges[i].highest == bounds[i][1]);
        FUZZ_CHECK(ranges[i].fieldId != ranges[i].spinnerId);
        for (int j = 0; j < i; ++j) {
            FUZZ_CHECK(ranges[i].fieldId != ranges[j].fieldId && ranges[i].fieldId != ranges[j].spinnerId);
            FUZZ_CHECK(ranges[i].spinnerId != ranges[j].spinnerId && ranges[i].spinnerId != ranges[j].fieldId);
        }
    }
}

// Each spinner shows its value, or the nearer bound for a value outside them.
void CheckView(const OptionsView &view, const Settings &s, const ValueRange ranges[OPTION_VALUE_COUNT], bool layered)
{
    const int values[OPTION_VALUE_COUNT] = {s.Width, s.Alpha, s.Offset, s.OpenWidth};
    for (int i = 0; i < OPTION_VALUE_COUNT; ++i) {
        const int lowest = ranges[i].lowest;
        const int highest = ranges[i].highest;
        if (lowest > highest) // a screen under two pixels wide leaves the Offset spinner no room
            continue;
        FUZZ_CHECK(view.shown[i] >= lowest && view.shown[i] <= highest);
        if (values[i] >= lowest && values[i] <= highest)
            FUZZ_CHECK(view.shown[i] == values[i]);
        else
            FUZZ_CHECK(view.shown[i] == (values[i] < lowest ? lowest : highest));
    }
    const int flags[EDGE_COUNT] = {s.Left, s.Right, s.Top, s.Bottom};
    for (int edge = 0; edge < EDGE_COUNT; ++edge)
        FUZZ_CHECK(view.ticked[edge] == (flags[edge] != 0));
    FUZZ_CHECK(view.alphaEnabled == layered);
    FUZZ_CHECK(view.workingColor == SettingsColor(s));
}

// What OK does: store the record, save it, load it again. The load applies the
// range rules; everything else, the colour included, comes back as stored.
Settings ConfirmSaveAndLoad(const char *const texts[OPTION_VALUE_COUNT], COLORREF color, const bool ticked[EDGE_COUNT],
                            ScreenSize screen)
{
    const Settings confirmed = ConfirmedSettings(texts, color, ticked);
    FUZZ_CHECK(confirmed.Width == FieldTextToInt(texts[ValueWidth]));
    FUZZ_CHECK(confirmed.Alpha == FieldTextToInt(texts[ValueAlpha]));
    FUZZ_CHECK(confirmed.Offset == FieldTextToInt(texts[ValueOffset]));
    FUZZ_CHECK(confirmed.OpenWidth == FieldTextToInt(texts[ValueOpenWidth]));
    FUZZ_CHECK(SettingsColor(confirmed) == (color & 0xFFFFFF));
    const int flags[EDGE_COUNT] = {confirmed.Left, confirmed.Right, confirmed.Top, confirmed.Bottom};
    for (int edge = 0; edge < EDGE_COUNT; ++edge)
        FUZZ_CHECK(flags[edge] == (ticked[edge] ? 1 : 0));

    SettingsEntry entries[SETTINGS_ENTRY_COUNT];
    FormatSettings(&confirmed, entries);
    SavedFile saved = {entries};
    Settings loaded = {};
    saved.Load(&loaded, screen);
    FUZZ_CHECK(loaded.Left == confirmed.Left && loaded.Right == confirmed.Right && loaded.Top == confirmed.Top &&
               loaded.Bottom == confirmed.Bottom);
    FUZZ_CHECK(loaded.R == confirmed.R && loaded.G == confirmed.G && loaded.B == confirmed.B);
    FUZZ_CHECK(loaded.Width == WidthInRange(confirmed.Width));
    FUZZ_CHECK(loaded.Alpha == AlphaInRange(confirmed.Alpha));
    FUZZ_CHECK(loaded.Offset == OffsetInRange(confirmed.Offset, screen));
    FUZZ_CHECK(loaded.OpenWidth == confirmed.OpenWidth);
    return loaded;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    InputLines input(data, size);
    std::string fields[OPTION_VALUE_COUNT];
    const char *texts[OPTION_VALUE_COUNT];
    for (int i = 0; i < OPTION_VALUE_COUNT; ++i) {
        fields[i] = CString(input.Next());
        texts[i] = fields[i].c_str();
        CheckFieldText(texts[i]);
    }
    std::string_view line = input.Next();
    const COLORREF color = static_cast<uint32_t>(TakeNumber(line));
    line = input.Next();
    const uint32_t bits = static_cast<uint32_t>(TakeNumber(line));
    const bool ticked[EDGE_COUNT] = {(bits & 1) != 0, (bits & 2) != 0, (bits & 4) != 0, (bits & 8) != 0};
    const bool layered = (bits & 16) != 0;
    line = input.Next();
    const ScreenSize screen = {TakeNumber(line), TakeNumber(line)};
    line = input.Next();
    Settings record;
    int *const recordFields[] = {&record.Left,  &record.Right,  &record.Top,      &record.Bottom,
                                 &record.Width, &record.Alpha,  &record.R,        &record.G,
                                 &record.B,     &record.Offset, &record.OpenWidth};
    for (int *field : recordFields)
        *field = TakeNumber(line);

    ValueRange ranges[OPTION_VALUE_COUNT];
    OptionRanges(screen, ranges);
    CheckRanges(screen, ranges);
    CheckView(StartingView(record, screen, layered), record, ranges, layered);

    const Settings loaded = ConfirmSaveAndLoad(texts, color, ticked, screen);
    // Opened again, the dialog shows what OK stored.
    const OptionsView again = StartingView(loaded, screen, layered);
    CheckView(again, loaded, ranges, layered);
    FUZZ_CHECK(again.workingColor == (color & 0xFFFFFF));

    FUZZ_CHECK(IsJapaneseLanguage(texts[0]) == (fields[0] == "Japanese"));
    return 0;
}
