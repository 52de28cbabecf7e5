// The optional hot key of the settings file: its value read and parsed, and
// what the user is told when it cannot be used. Nothing here needs the window
// system.
#ifndef BRELLOX_HOTKEY_H
#define BRELLOX_HOTKEY_H

#include "../core/settings.h"
#include "../platform/platform_types.h"

// RegisterHotKey's modifier flags, named here for the builds without the
// window system.
const UINT kHotkeyAlt = 0x1;
const UINT kHotkeyControl = 0x2;
const UINT kHotkeyShift = 0x4;
const UINT kHotkeyWin = 0x8;

struct HotkeyChord {
    UINT modifiers; // kHotkeyAlt, kHotkeyControl, kHotkeyShift, kHotkeyWin
    UINT key;       // the virtual-key code
};

enum HotkeyReason {
    HotkeyFine,
    HotkeyTooLong,      // the value filled the whole read buffer, so it may have been cut
    HotkeyEmptyPart,    // nothing between two '+', or before the first or after the last
    HotkeyUnknownName,  // a part that is neither a modifier nor a key
    HotkeyRepeatedName, // a modifier or the key named twice
    HotkeyTwoKeys,      // a second key
    HotkeyNoKey,        // modifiers only
    HotkeyNoModifier,   // a key other than F1 to F24 alone
    HotkeyTaken,        // registering it failed: another program holds it
};

// The read buffer of the value; a value that fills it is refused as too long.
#define SETTINGS_HOTKEY_BUFFER 64

// Why a value cannot be used, with the part concerned (spaces removed) where
// the reason names one.
struct HotkeyError {
    HotkeyReason reason;
    char part[SETTINGS_HOTKEY_BUFFER];
};

// Parses modifiers and one key joined by '+', case-insensitive, spaces and
// tabs ignored. Returns false, saying why, for a value that does not name a
// hot key; an empty value is refused as an empty part.
bool ParseHotkey(const char *text, HotkeyChord *chord, HotkeyError *why);

// The Hotkey key of the settings file as read and parsed. Absent or blank, no
// hot key is wanted and none is refused.
struct HotkeySetting {
    char text[SETTINGS_HOTKEY_BUFFER];
    bool wanted;
    HotkeyChord chord;
    HotkeyError why; // reason HotkeyFine when the value names a hot key
};

void ReadHotkeySetting(const SettingsSource *source, HotkeySetting *setting);

// How long a new copy waits, at most, for the copy it replaced to let go of
// the hot key; a copy asked to end may still be finishing a sweep's wait.
const DWORD kReplacedCopyWaitMs = 5000;

// What start-up does once the hot key could not be registered: while the copy
// this one replaced still runs, and not for longer than kReplacedCopyWaitMs,
// it waits for that copy to end and tries again; otherwise another program
// holds the key, and the user is told.
enum HotkeyRefusal { HotkeyTellTaken, HotkeyWaitForReplacedCopy };
HotkeyRefusal AfterHotkeyRefused(bool replacedCopyRuns, DWORD waitedMs);

// Room for any message FormatHotkeyProblem writes.
enum { HOTKEY_MESSAGE_SIZE = 1024 };

// The words of the message for a value that cannot be used, in the user's
// language, as the resources hold them: the message reads beforeValue, the
// value, afterValue, a line break, then for a reason that names a part
// beforePart and the part, the reason's text, a line break, and runsOn.
struct HotkeyProblemTexts {
    const char *beforeValue;
    const char *afterValue;
    const char *beforePart;
    const char *reasons[HotkeyTaken + 1]; // by reason; HotkeyFine's is never shown
    const char *runsOn;
};

// The message for a value that cannot be used: the value and why, and that
// Brellox runs on without a hot key. At most SETTINGS_HOTKEY_BUFFER - 1 bytes
// of value and of why's part are shown; the message is cut to the room.
void FormatHotkeyProblem(const HotkeyProblemTexts &texts, const char *value, const HotkeyError *why,
                         char text[HOTKEY_MESSAGE_SIZE]);

#endif
