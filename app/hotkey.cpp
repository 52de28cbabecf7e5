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

struct ProblemTexts {
    const char *beforeValue;
    const char *afterValue;
    const char *beforePart;
    const char *reasons[HotkeyTaken + 1]; // after the part, where the reason names one
    const char *runsOn;
};

const ProblemTexts kEnglish = {
    "The hot key in Brellox.ini, Hotkey=",
    ", cannot be used:",
    "\"",
    {
        "",
        "it is too long (62 characters at most).",
        "a part between two + signs, or at an end, is empty.",
        "\" is neither a modifier (Ctrl, Alt, Shift, Win) nor a key (A-Z, 0-9, F1-F24, Space, Tab, Enter, Left, Right, "
        "Up, Down, Home, End, PageUp, PageDown, Insert, Delete).",
        "\" is named twice.",
        "\" is a second key; a hot key has one key besides its modifiers.",
        "it names no key, only modifiers (for example Ctrl+Alt+B).",
        "it needs a modifier (Ctrl, Alt, Shift or Win); only F1 to F24 may stand alone.",
        "another program has registered this key.",
    },
    "Brellox runs on without a hot key.",
};

// Code page 932, for the ANSI message box.
const ProblemTexts kJapanese = {
    // "Brellox.ini のホットキー Hotkey="
    "Brellox.ini \x82\xcc\x83\x7a\x83\x62\x83\x67\x83\x4c\x81\x5b Hotkey=",
    // " は使えません："
    " \x82\xcd\x8e\x67\x82\xa6\x82\xdc\x82\xb9\x82\xf1\x81\x46",
    // "「"
    "\x81\x75",
    {
        "",
        // "長すぎます (62 文字まで)。"
        "\x92\xb7\x82\xb7\x82\xac\x82\xdc\x82\xb7 (62 \x95\xb6\x8e\x9a\x82\xdc\x82\xc5)\x81\x42",
        // "+ の前後に何もない部分があります。"
        "+ \x82\xcc\x91\x4f\x8c\xe3\x82\xc9\x89\xbd\x82\xe0\x82\xc8\x82\xa2\x95\x94\x95\xaa\x82\xaa\x82\xa0\x82\xe8"
        "\x82\xdc\x82\xb7\x81\x42",
        // "」は修飾キー (Ctrl, Alt, Shift, Win) でもキー (A-Z, 0-9, F1-F24, Space, Tab, Enter, Left, Right,
        // Up, Down, Home, End, PageUp, PageDown, Insert, Delete) でもありません。"
        "\x81\x76\x82\xcd\x8f\x43\x8f\xfc\x83\x4c\x81\x5b (Ctrl, Alt, Shift, Win) \x82\xc5\x82\xe0\x83\x4c\x81\x5b (A-"
        "Z, 0-9, F1-F24, Space, Tab, Enter, Left, Right, Up, Down, Home, End, PageUp, PageDown, Insert, Delete) "
        "\x82\xc5\x82\xe0\x82\xa0\x82\xe8\x82\xdc\x82\xb9\x82\xf1\x81\x42",
        // "」が 2 回あります。"
        "\x81\x76\x82\xaa 2 \x89\xf1\x82\xa0\x82\xe8\x82\xdc\x82\xb7\x81\x42",
        // "」は 2 つ目のキーです。キーは 1 つだけです。"
        "\x81\x76\x82\xcd 2 \x82\xc2\x96\xda\x82\xcc\x83\x4c\x81\x5b\x82\xc5\x82\xb7\x81\x42\x83\x4c\x81\x5b\x82\xcd 1"
        " \x82\xc2\x82\xbe\x82\xaf\x82\xc5\x82\xb7\x81\x42",
        // "修飾キーだけでキーがありません (例: Ctrl+Alt+B)。"
        "\x8f\x43\x8f\xfc\x83\x4c\x81\x5b\x82\xbe\x82\xaf\x82\xc5\x83\x4c\x81\x5b\x82\xaa\x82\xa0\x82\xe8\x82\xdc"
        "\x82\xb9\x82\xf1 (\x97\xe1: Ctrl+Alt+B)\x81\x42",
        // "修飾キー (Ctrl, Alt, Shift, Win) が要ります。単独で使えるのは F1-F24 だけです。"
        "\x8f\x43\x8f\xfc\x83\x4c\x81\x5b (Ctrl, Alt, Shift, Win) \x82\xaa\x97\x76\x82\xe8\x82\xdc\x82\xb7\x81\x42"
        "\x92\x50\x93\xc6\x82\xc5\x8e\x67\x82\xa6\x82\xe9\x82\xcc\x82\xcd F1-F24 \x82\xbe\x82\xaf\x82\xc5\x82\xb7"
        "\x81\x42",
        // "このキーは別のプログラムが登録しています。"
        "\x82\xb1\x82\xcc\x83\x4c\x81\x5b\x82\xcd\x95\xca\x82\xcc\x83\x76\x83\x8d\x83\x4f\x83\x89\x83\x80\x82\xaa"
        "\x93\x6f\x98\x5e\x82\xb5\x82\xc4\x82\xa2\x82\xdc\x82\xb7\x81\x42",
    },
    // "Brellox はホットキーなしで動作を続けます。"
    "Brellox \x82\xcd\x83\x7a\x83\x62\x83\x67\x83\x4c\x81\x5b\x82\xc8\x82\xb5\x82\xc5\x93\xae\x8d\xec\x82\xf0\x91\xb1"
    "\x82\xaf\x82\xdc\x82\xb7\x81\x42",
};

// Appends at most limit bytes of piece; the texts and the limits of value and
// part together always fit HOTKEY_MESSAGE_SIZE.
void Append(char *text, size_t *length, const char *piece, size_t limit)
{
    const size_t count = strnlen(piece, limit);
    memcpy(text + *length, piece, count);
    *length += count;
}

bool NamesPart(HotkeyReason reason)
{
    return reason == HotkeyUnknownName || reason == HotkeyRepeatedName || reason == HotkeyTwoKeys;
}

} // namespace

void FormatHotkeyProblem(bool japanese, const char *value, const HotkeyError *why, char text[HOTKEY_MESSAGE_SIZE])
{
    const ProblemTexts &texts = japanese ? kJapanese : kEnglish;
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
