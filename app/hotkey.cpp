#include "hotkey.h"

#include <string.h>

namespace {

struct NamedKey {
    const char *name;
    UINT code;
};

const NamedKey kModifiers[] = {
    {"Ctrl", kHotkeyControl},
    {"Alt", kHotkeyAlt},
    {"Shift", kHotkeyShift},
    {"Win", kHotkeyWin},
};

// The virtual-key codes of the named keys.
const NamedKey kNamedKeys[] = {
    {"Space", 0x20},    {"Tab", 0x09},    {"Enter", 0x0D},  {"Left", 0x25}, {"Right", 0x27},
    {"Up", 0x26},       {"Down", 0x28},   {"Home", 0x24},   {"End", 0x23},  {"PageUp", 0x21},
    {"PageDown", 0x22}, {"Insert", 0x2D}, {"Delete", 0x2E},
};

const UINT kVirtualKeyF1 = 0x70;

char Upper(char c)
{
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

bool SameName(const char *a, const char *b)
{
    while (*a != '\0' && Upper(*a) == Upper(*b)) {
        ++a;
        ++b;
    }
    return *a == '\0' && *b == '\0';
}

bool FindNamed(const NamedKey *table, size_t count, const char *part, UINT *code)
{
    for (size_t i = 0; i < count; ++i) {
        if (SameName(table[i].name, part)) {
            *code = table[i].code;
            return true;
        }
    }
    return false;
}

// F1 to F24, written without a leading zero.
bool FunctionKey(const char *part, UINT *code)
{
    if (Upper(part[0]) != 'F' || part[1] < '1' || part[1] > '9')
        return false;
    UINT number = static_cast<UINT>(part[1] - '0');
    if (part[2] != '\0') {
        if (part[2] < '0' || part[2] > '9' || part[3] != '\0')
            return false;
        number = number * 10 + static_cast<UINT>(part[2] - '0');
    }
    if (number > 24)
        return false;
    *code = kVirtualKeyF1 + number - 1;
    return true;
}

bool IsFunctionKey(UINT code)
{
    return code >= kVirtualKeyF1 && code < kVirtualKeyF1 + 24;
}

// A letter's and a digit's virtual-key code is its upper-case character.
bool Key(const char *part, UINT *code)
{
    const char c = Upper(part[0]);
    if (part[1] == '\0' && ((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9'))) {
        *code = static_cast<UINT>(c);
        return true;
    }
    return FunctionKey(part, code) || FindNamed(kNamedKeys, sizeof(kNamedKeys) / sizeof(kNamedKeys[0]), part, code);
}

bool IsBlank(char c)
{
    return c == ' ' || c == '\t';
}

// Copies the part of text up to the next '+' or the end into part without its
// blanks (as much as fits); returns where the part ends.
const char *TakePart(const char *text, char part[SETTINGS_HOTKEY_BUFFER])
{
    size_t length = 0;
    for (; *text != '\0' && *text != '+'; ++text) {
        if (!IsBlank(*text) && length < SETTINGS_HOTKEY_BUFFER - 1)
            part[length++] = *text;
    }
    part[length] = '\0';
    return text;
}

bool Refuse(HotkeyError *why, HotkeyReason reason)
{
    why->reason = reason;
    return false;
}

} // namespace

bool ParseHotkey(const char *text, HotkeyChord *chord, HotkeyError *why)
{
    why->reason = HotkeyFine;
    why->part[0] = '\0';
    HotkeyChord found = {0, 0};
    for (;;) {
        text = TakePart(text, why->part);
        if (why->part[0] == '\0')
            return Refuse(why, HotkeyEmptyPart);
        UINT code = 0;
        if (FindNamed(kModifiers, sizeof(kModifiers) / sizeof(kModifiers[0]), why->part, &code)) {
            if ((found.modifiers & code) != 0)
                return Refuse(why, HotkeyRepeatedName);
            found.modifiers |= code;
        } else if (Key(why->part, &code)) {
            if (found.key == code)
                return Refuse(why, HotkeyRepeatedName);
            if (found.key != 0)
                return Refuse(why, HotkeyTwoKeys);
            found.key = code;
        } else {
            return Refuse(why, HotkeyUnknownName);
        }
        if (*text == '\0')
            break;
        ++text;
    }
    why->part[0] = '\0';
    if (found.key == 0)
        return Refuse(why, HotkeyNoKey);
    if (found.modifiers == 0 && !IsFunctionKey(found.key))
        return Refuse(why, HotkeyNoModifier);
    *chord = found;
    return true;
}

void ReadHotkeySetting(const SettingsSource *source, HotkeySetting *setting)
{
    source->ReadText(source->context, "Hotkey", "", setting->text, SETTINGS_HOTKEY_BUFFER);
    setting->text[SETTINGS_HOTKEY_BUFFER - 1] = '\0';
    setting->chord = HotkeyChord{0, 0};
    setting->why.reason = HotkeyFine;
    setting->why.part[0] = '\0';
    setting->wanted = false;
    for (const char *c = setting->text; *c != '\0'; ++c) {
        if (!IsBlank(*c))
            setting->wanted = true;
    }
    if (!setting->wanted)
        return;
    // The profile reader cuts a longer value to the buffer without a word: a
    // cut value must not pass for another key.
    if (strlen(setting->text) == SETTINGS_HOTKEY_BUFFER - 1)
        setting->why.reason = HotkeyTooLong;
    else
        ParseHotkey(setting->text, &setting->chord, &setting->why);
}

namespace {

// Appends at most limit bytes of piece, and never more than the message has
// room for.
void Append(char *text, size_t *length, const char *piece, size_t limit)
{
    const size_t room = HOTKEY_MESSAGE_SIZE - 1 - *length;
    const size_t count = strnlen(piece, limit < room ? limit : room);
    memcpy(text + *length, piece, count);
    *length += count;
}

bool NamesPart(HotkeyReason reason)
{
    return reason == HotkeyUnknownName || reason == HotkeyRepeatedName || reason == HotkeyTwoKeys;
}

} // namespace

void FormatHotkeyProblem(const HotkeyProblemTexts &texts, const char *value, const HotkeyError *why,
                         char text[HOTKEY_MESSAGE_SIZE])
{
    const size_t all = HOTKEY_MESSAGE_SIZE;
    const size_t shown = SETTINGS_HOTKEY_BUFFER - 1;
    size_t length = 0;
    Append(text, &length, texts.beforeValue, all);
    Append(text, &length, value, shown);
    Append(text, &length, texts.afterValue, all);
    Append(text, &length, "\r\n", all);
    if (NamesPart(why->reason)) {
        Append(text, &length, texts.beforePart, all);
        Append(text, &length, why->part, shown);
    }
    Append(text, &length, texts.reasons[why->reason], all);
    Append(text, &length, "\r\n", all);
    Append(text, &length, texts.runsOn, all);
    text[length] = '\0';
}

HotkeyRefusal AfterHotkeyRefused(bool replacedCopyRuns, DWORD waitedMs)
{
    return replacedCopyRuns && waitedMs < kReplacedCopyWaitMs ? HotkeyWaitForReplacedCopy : HotkeyTellTaken;
}
