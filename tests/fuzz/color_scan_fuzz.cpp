// ScanColor on any bytes, checked against the C library's own number scan, and
// the bar colour made from what it scanned.
//
// Input: the colour text itself, up to its first NUL.
#include "core/settings.h"
#include "fuzz_support.h"
#include "options/options_rules.h"

#include <string.h>

#include <string>

namespace {

// Values no field starts with, so that a stray write shows.
const Settings kBefore = {101, 102, 103, 104, 105, 106, -107, -108, -109, 110, 111};

void CheckBarColor(int r, int g, int b)
{
    Settings settings = kBefore;
    settings.R = r;
    settings.G = g;
    settings.B = b;
    const COLORREF color = SettingsColor(settings);
    FUZZ_CHECK((color & 0xFF) == static_cast<uint8_t>(r));
    FUZZ_CHECK(((color >> 8) & 0xFF) == static_cast<uint8_t>(g));
    FUZZ_CHECK(((color >> 16) & 0xFF) == static_cast<uint8_t>(b));
    FUZZ_CHECK((color >> 24) == 0);

    // The options dialog starts from the same colour and stores its bytes.
    FUZZ_CHECK(StartingView(settings, ScreenSize{1024, 768}, true).workingColor == color);
    const char *const texts[OPTION_VALUE_COUNT] = {"2", "0", "0", "2"};
    const bool ticked[EDGE_COUNT] = {true, false, false, false};
    const Settings confirmed = ConfirmedSettings(texts, color, ticked);
    FUZZ_CHECK(SettingsColor(confirmed) == color);
    FUZZ_CHECK(confirmed.R >= 0 && confirmed.R <= 255 && confirmed.G >= 0 && confirmed.G <= 255 && confirmed.B >= 0 &&
               confirmed.B <= 255);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const std::string text = CString(std::string_view(reinterpret_cast<const char *>(data), size));
    Settings s = kBefore;
    const int count = ScanColor(text.c_str(), &s);

    const ReferenceColor reference = ReferenceScanColor(text.c_str());
    FUZZ_CHECK(count == reference.count);
    const int Settings::*const components[3] = {&Settings::R, &Settings::G, &Settings::B};
    for (int i = 0; i < 3; ++i) {
        if (i >= count)
            FUZZ_CHECK(s.*components[i] == kBefore.*components[i]);
        else
            FUZZ_CHECK(s.*components[i] == reference.number[i].value);
    }
    // Nothing but the colour changes.
    FUZZ_CHECK(s.Left == kBefore.Left && s.Right == kBefore.Right && s.Top == kBefore.Top &&
               s.Bottom == kBefore.Bottom && s.Width == kBefore.Width && s.Alpha == kBefore.Alpha &&
               s.Offset == kBefore.Offset && s.OpenWidth == kBefore.OpenWidth);

    // Written out and scanned again, the colour stays the same.
    const std::string written = std::to_string(s.R) + "," + std::to_string(s.G) + "," + std::to_string(s.B);
    Settings again = {};
    FUZZ_CHECK(ScanColor(written.c_str(), &again) == 3);
    FUZZ_CHECK(again.R == s.R && again.G == s.G && again.B == s.B);

    CheckBarColor(s.R, s.G, s.B);
    return 0;
}
