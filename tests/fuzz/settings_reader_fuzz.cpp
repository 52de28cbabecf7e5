// ReadSettings fed by a settings file whose answers come from the fuzz input;
// every value must come out defined under the range rules, and what a save
// writes must read back as the same numbers.
//
// Input lines: "cx cy R G B", the screen size and the colour already in the
// record read into (a colour scan that stops early keeps those); then one answer
// per key in the order the keys are asked: a number for an integer key (wrapping
// at 32 bits), any bytes for the colour, the hot key and the Leave list. Keys
// past the end of the input are missing from the file and get their defaults.
// The hot key's value must parse the same in any case and with any blanks
// around its parts, and its message must hold the value. The Leave list must
// hold the names between its commas, without their blanks, found in any case
// of their ASCII letters and as the file of a program, or, when too long,
// nothing.
#include "app/hotkey.h"
#include "core/leave_list.h"
#include "core/settings.h"
#include "fuzz_support.h"
#include "saved_file.h"
#include "tests/native/resource_texts.h"

#include <string.h>

#include <string>
#include <vector>

namespace {

struct Key {
    const char *name;
    bool text;
    const char *defaultValue;
};

// The file's keys in the order a load asks for them, with their defaults.
const Key kKeys[] = {{"Left", false, "1"},         {"Right", false, "0"},  {"Top", false, "0"},
                     {"Bottom", false, "0"},       {"Width", false, "2"},  {"Alpha", false, "255"},
                     {"Color", true, "255,255,0"}, {"Offset", false, "0"}, {"OpenWidth", false, "2"},
                     {"Hotkey", true, ""},         {"Leave", true, ""}};
const int kKeyCount = sizeof(kKeys) / sizeof(kKeys[0]);

struct FuzzFile {
    InputLines lines;
    int asked = 0;
    int32_t numbers[kKeyCount] = {};
    std::string colorText;  // what the colour buffer held, up to its last byte
    std::string hotkeyText; // the same for the hot key
    std::string leaveText;  // and for the Leave list

    explicit FuzzFile(InputLines input) : lines(input) {}

    // Each key once, in file order, with its own default.
    void Asked(const char *key, bool text, const char *defaultValue)
    {
        FUZZ_CHECK(asked < kKeyCount);
        FUZZ_CHECK(strcmp(key, kKeys[asked].name) == 0);
        FUZZ_CHECK(text == kKeys[asked].text);
        FUZZ_CHECK(strcmp(defaultValue, kKeys[asked].defaultValue) == 0);
        ++asked;
    }

    static int ReadInt(void *context, const char *key, int defaultValue)
    {
        FuzzFile &file = *static_cast<FuzzFile *>(context);
        file.Asked(key, false, std::to_string(defaultValue).c_str());
        int32_t value = defaultValue;
        if (!file.lines.AtEnd()) {
            std::string_view line = file.lines.Next();
            value = TakeNumber(line);
        }
        file.numbers[file.asked - 1] = value;
        return value;
    }

    // Fills the buffer to its last byte, with no terminator, when the answer is
    // that long: the reader must cut the text itself.
    static void ReadText(void *context, const char *key, const char *defaultText, char *buffer, int size)
    {
        FuzzFile &file = *static_cast<FuzzFile *>(context);
        file.Asked(key, true, defaultText);
        const bool color = strcmp(key, "Color") == 0;
        const bool leave = strcmp(key, "Leave") == 0;
        FUZZ_CHECK(size == (color ? SETTINGS_COLOR_BUFFER : leave ? LEAVE_BUFFER : SETTINGS_HOTKEY_BUFFER));
        const std::string_view answer = file.lines.AtEnd() ? std::string_view(defaultText) : file.lines.Next();
        const size_t length = answer.size() < static_cast<size_t>(size) ? answer.size() : static_cast<size_t>(size);
        memcpy(buffer, answer.data(), length);
        if (length < static_cast<size_t>(size))
            buffer[length] = '\0';
        (color ? file.colorText : leave ? file.leaveText : file.hotkeyText).assign(answer.data(), length);
    }
};

int64_t Smaller(int64_t a, int64_t b)
{
    return a < b ? a : b;
}

void CheckRanges(const Settings &s, const FuzzFile &file, ScreenSize screen, const Settings &before)
{
    const int32_t *raw = file.numbers;
    FUZZ_CHECK(s.Left == raw[0]);
    FUZZ_CHECK(s.Right == raw[1]);
    FUZZ_CHECK(s.Top == raw[2]);
    FUZZ_CHECK(s.Bottom == raw[3]);
    FUZZ_CHECK(s.OpenWidth == raw[8]);

    // Width is held to 1..10 at the nearer end.
    FUZZ_CHECK(s.Width >= 1 && s.Width <= 10);
    FUZZ_CHECK(s.Width == (raw[4] < 1 ? 1 : raw[4] > 10 ? 10 : raw[4]));

    // Alpha outside 0..100 falls back to opaque.
    FUZZ_CHECK(s.Alpha == (raw[5] >= 0 && raw[5] <= 100 ? raw[5] : 0));

    // Offset may take at most half of either screen side; otherwise none.
    const int64_t halfSide = Smaller(screen.cx / 2, screen.cy / 2);
    FUZZ_CHECK(s.Offset >= 0);
    FUZZ_CHECK(s.Offset == (raw[7] >= 0 && raw[7] <= halfSide ? raw[7] : 0));

    // The colour comes from at most SETTINGS_COLOR_BUFFER - 1 bytes of its text.
    std::string seen = CString(file.colorText);
    if (seen.size() > SETTINGS_COLOR_BUFFER - 1)
        seen.resize(SETTINGS_COLOR_BUFFER - 1);
    const ReferenceColor color = ReferenceScanColor(seen.c_str());
    const int Settings::*const components[3] = {&Settings::R, &Settings::G, &Settings::B};
    for (int i = 0; i < 3; ++i) {
        if (i >= color.count)
            FUZZ_CHECK(s.*components[i] == before.*components[i]);
        else
            FUZZ_CHECK(s.*components[i] == color.number[i].value);
    }
}

// Every number a save writes is its plain decimal form, and the colour text
// scans back to the same three numbers.
void CheckFormat(const Settings &s, const SettingsEntry entries[SETTINGS_ENTRY_COUNT])
{
    const char *const keys[SETTINGS_ENTRY_COUNT] = {"Left",  "Right",  "Top",       "Bottom", "Width",
                                                    "Alpha", "Offset", "OpenWidth", "Color"};
    const int numbers[SETTINGS_ENTRY_COUNT - 1] = {s.Left,  s.Right, s.Top,    s.Bottom,
                                                   s.Width, s.Alpha, s.Offset, s.OpenWidth};
    for (int i = 0; i < SETTINGS_ENTRY_COUNT; ++i)
        FUZZ_CHECK(strcmp(entries[i].key, keys[i]) == 0);
    for (int i = 0; i < SETTINGS_ENTRY_COUNT - 1; ++i)
        FUZZ_CHECK(entries[i].value == std::to_string(numbers[i]));
    const std::string color = std::to_string(s.R) + "," + std::to_string(s.G) + "," + std::to_string(s.B);
    FUZZ_CHECK(entries[SETTINGS_ENTRY_COUNT - 1].value == color);
    Settings scanned = {};
    FUZZ_CHECK(ScanColor(entries[SETTINGS_ENTRY_COUNT - 1].value, &scanned) == 3);
    FUZZ_CHECK(scanned.R == s.R && scanned.G == s.G && scanned.B == s.B);

    // FormatInt needs no more than its documented 12 bytes.
    for (int value : {s.Left, s.OpenWidth, s.R}) {
        char *text = new char[12];
        FUZZ_CHECK(FormatInt(value, text) == static_cast<int>(std::to_string(value).size()));
        FUZZ_CHECK(text == std::to_string(value));
        delete[] text;
    }
}

// A load of what a save wrote gives the record back: the range rules keep what
// they already let through. A colour text longer than the read buffer is cut;
// the program saves only colours of bytes 0..255, which always fit. Read from
// memory after a save that could not write, the entries give the same.
void CheckReload(const Settings &s, const SettingsEntry entries[SETTINGS_ENTRY_COUNT], ScreenSize screen)
{
    SavedFile saved = {entries};
    Settings again = s;
    saved.Load(&again, screen);
    FUZZ_CHECK(again.Left == s.Left && again.Right == s.Right && again.Top == s.Top && again.Bottom == s.Bottom);
    FUZZ_CHECK(again.Width == s.Width && again.Alpha == s.Alpha);
    FUZZ_CHECK(again.Offset == s.Offset && again.OpenWidth == s.OpenWidth);
    if (strlen(entries[SETTINGS_ENTRY_COUNT - 1].value) < SETTINGS_COLOR_BUFFER)
        FUZZ_CHECK(again.R == s.R && again.G == s.G && again.B == s.B);
    Settings inMemory = s;
    ReadSavedEntries(&inMemory, screen, entries);
    FUZZ_CHECK(memcmp(&inMemory, &again, sizeof(Settings)) == 0);
}

HotkeyError Parsed(const std::string &text, HotkeyChord *chord)
{
    HotkeyError why = {};
    const bool ok = ParseHotkey(text.c_str(), chord, &why);
    FUZZ_CHECK(ok == (why.reason == HotkeyFine));
    return why;
}

// The value as read, its parse under other spellings, and its messages.
void CheckHotkey(const HotkeySetting &h, const FuzzFile &file)
{
    std::string seen = CString(file.hotkeyText);
    if (seen.size() > SETTINGS_HOTKEY_BUFFER - 1)
        seen.resize(SETTINGS_HOTKEY_BUFFER - 1);
    FUZZ_CHECK(seen == h.text);
    FUZZ_CHECK(h.wanted == (seen.find_first_not_of(" \t") != std::string::npos));
    if (!h.wanted) {
        FUZZ_CHECK(h.why.reason == HotkeyFine);
        return;
    }
    if (seen.size() == SETTINGS_HOTKEY_BUFFER - 1) {
        FUZZ_CHECK(h.why.reason == HotkeyTooLong);
        return;
    }
    HotkeyChord chord = {};
    const HotkeyError why = Parsed(seen, &chord);
    FUZZ_CHECK(why.reason == h.why.reason && strcmp(why.part, h.why.part) == 0);
    if (why.reason == HotkeyFine) {
        FUZZ_CHECK(chord.modifiers == h.chord.modifiers && chord.key == h.chord.key);
        FUZZ_CHECK((chord.modifiers & ~(kHotkeyAlt | kHotkeyControl | kHotkeyShift | kHotkeyWin)) == 0);
        const bool functionKey = chord.key >= 0x70 && chord.key <= 0x87;
        FUZZ_CHECK(chord.modifiers != 0 || functionKey);
        FUZZ_CHECK(functionKey || (chord.key >= '0' && chord.key <= '9') || (chord.key >= 'A' && chord.key <= 'Z') ||
                   (chord.key >= 0x21 && chord.key <= 0x28) || chord.key == 0x20 || chord.key == 0x09 ||
                   chord.key == 0x0D || chord.key == 0x2D || chord.key == 0x2E);
    }

    // Other cases of the letters, and blanks around every part, change nothing.
    std::string flipped = seen;
    std::string spaced;
    for (char &c : flipped) {
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
        else if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
        spaced += c == '+' ? std::string(" \t+ ") : std::string(1, c);
    }
    for (const std::string &other : {flipped, spaced}) {
        HotkeyChord otherSpec = {};
        const HotkeyError otherWhy = Parsed(other, &otherSpec);
        FUZZ_CHECK(otherWhy.reason == why.reason);
        if (why.reason == HotkeyFine)
            FUZZ_CHECK(otherSpec.modifiers == chord.modifiers && otherSpec.key == chord.key);
    }

    for (const bool japanese : {false, true}) {
        const HotkeyWords &words = HotkeyMessageWords(japanese);
        for (const HotkeyError &problem : {h.why, HotkeyError{HotkeyTaken, ""}}) {
            char *text = new char[HOTKEY_MESSAGE_SIZE];
            FormatHotkeyProblem(words.texts, h.text, &problem, text);
            const std::string message(text, strnlen(text, HOTKEY_MESSAGE_SIZE));
            delete[] text;
            FUZZ_CHECK(message.size() < HOTKEY_MESSAGE_SIZE);
            FUZZ_CHECK(message.find(seen) != std::string::npos);
            FUZZ_CHECK(message.find(problem.part) != std::string::npos);
        }
    }
}

// Code page 932's lead bytes.
const LeadBytes kCodePage932 = {{0x81, 0x9F, 0xE0, 0xFC}};

bool IsLead(char c)
{
    const unsigned char b = static_cast<unsigned char>(c);
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}

// The name with the case of its ASCII letters turned, the second bytes of
// double-byte characters kept.
std::string OtherCase(const std::string &name)
{
    std::string turned = name;
    for (size_t i = 0; i < turned.size(); ++i) {
        char &c = turned[i];
        if (IsLead(c))
            ++i;
        else if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
        else if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    }
    return turned;
}

void CheckLeave(const LeaveList &list, bool fits, const FuzzFile &file)
{
    std::string seen = CString(file.leaveText);
    if (seen.size() > LEAVE_BUFFER - 1)
        seen.resize(LEAVE_BUFFER - 1);
    FUZZ_CHECK(fits == (seen.size() <= LEAVE_VALUE_LONGEST));
    std::vector<std::string> expected;
    if (fits) {
        size_t start = 0;
        for (;;) {
            const size_t comma = seen.find(',', start);
            const std::string item = seen.substr(start, comma == std::string::npos ? std::string::npos : comma - start);
            const size_t first = item.find_first_not_of(" \t");
            if (first != std::string::npos)
                expected.push_back(item.substr(first, item.find_last_not_of(" \t") - first + 1));
            if (comma == std::string::npos)
                break;
            start = comma + 1;
        }
    }
    FUZZ_CHECK(list.count == static_cast<int>(expected.size()));
    const char *name = list.names;
    for (const std::string &item : expected) {
        FUZZ_CHECK(item == name);
        name += strlen(name) + 1;
        FUZZ_CHECK(LeaveListNames(list, item.c_str()));
        FUZZ_CHECK(LeaveListNames(list, OtherCase(item).c_str()));
        if (item.find_first_of("\\/") == std::string::npos)
            FUZZ_CHECK(LeaveListNamesProgram(list, ("C:\\Program Files\\" + item).c_str()));
    }
    FUZZ_CHECK(name <= list.names + LEAVE_BUFFER);
    FUZZ_CHECK(!LeaveListNames(list, ""));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    InputLines input(data, size);
    std::string_view first = input.Next();
    const ScreenSize screen = {TakeNumber(first), TakeNumber(first)};
    Settings before = {};
    before.R = TakeNumber(first);
    before.G = TakeNumber(first);
    before.B = TakeNumber(first);

    FuzzFile file(input);
    const SettingsSource source = {FuzzFile::ReadInt, FuzzFile::ReadText, &file};
    Settings s = before;
    ReadSettings(&s, screen, &source);
    HotkeySetting hotkey;
    ReadHotkeySetting(&source, &hotkey);
    LeaveList *leave = new LeaveList;
    const bool leaveFits = ReadLeaveList(&source, kCodePage932, leave);
    FUZZ_CHECK(file.asked == kKeyCount);
    CheckRanges(s, file, screen, before);
    CheckHotkey(hotkey, file);
    CheckLeave(*leave, leaveFits, file);
    delete leave;

    SettingsEntry entries[SETTINGS_ENTRY_COUNT];
    FormatSettings(&s, entries);
    CheckFormat(s, entries);
    CheckReload(s, entries, screen);
    return 0;
}
