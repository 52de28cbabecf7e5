#include "app/hotkey.h"
#include "resource_texts.h"

#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <string>
#include <vector>

namespace {

const UINT kCtrl = kHotkeyControl, kAlt = kHotkeyAlt, kShift = kHotkeyShift, kWin = kHotkeyWin;

struct Parsed {
    bool ok;
    UINT modifiers;
    UINT key;
    HotkeyReason reason;
    std::string part;
};

Parsed Parse(const char *text)
{
    HotkeyChord chord = {0xdead, 0xbeef};
    HotkeyError why = {};
    const bool ok = ParseHotkey(text, &chord, &why);
    return {ok, chord.modifiers, chord.key, why.reason, why.part};
}

TEST(HotkeyParser, ReadsModifiersAndOneKeyInAnyCaseAndOrderIgnoringSpaces)
{
    const struct {
        const char *text;
        UINT modifiers;
        UINT key;
    } cases[] = {
        {"Ctrl+Alt+B", kCtrl | kAlt, 'B'},
        {"b+alt+CTRL", kCtrl | kAlt, 'B'},
        {" ctrl + shift +\t9 ", kCtrl | kShift, '9'},
        {"Win+Shift+Ctrl+Alt+Z", kCtrl | kAlt | kShift | kWin, 'Z'},
        {"Win+0", kWin, '0'},
        {"F1", 0, 0x70},
        {"f24", 0, 0x87},
        {"Shift+F12", kShift, 0x7B},
        {"Alt+Space", kAlt, 0x20},
        {"Alt+Tab", kAlt, 0x09},
        {"Alt+Enter", kAlt, 0x0D},
        {"Ctrl+Left", kCtrl, 0x25},
        {"Ctrl+Right", kCtrl, 0x27},
        {"Ctrl+Up", kCtrl, 0x26},
        {"Ctrl+Down", kCtrl, 0x28},
        {"Ctrl+Home", kCtrl, 0x24},
        {"Ctrl+End", kCtrl, 0x23},
        {"Ctrl+PageUp", kCtrl, 0x21},
        {"Ctrl+pagedown", kCtrl, 0x22},
        {"Ctrl+Insert", kCtrl, 0x2D},
        {"Ctrl+Delete", kCtrl, 0x2E},
        {"Ctrl+Page Up", kCtrl, 0x21},
    };
    for (const auto &c : cases) {
        const Parsed p = Parse(c.text);
        EXPECT_TRUE(p.ok) << c.text << ": " << p.reason << " " << p.part;
        EXPECT_EQ(c.modifiers, p.modifiers) << c.text;
        EXPECT_EQ(c.key, p.key) << c.text;
    }
}

// Each refusal gives its reason and, where it is about one part, that part as
// written without its spaces; a refused value leaves the parsed key as it was.
TEST(HotkeyParser, RefusesWhatNamesNoSingleKeyWithItsReasonAndPart)
{
    const struct {
        const char *text;
        HotkeyReason reason;
        const char *part;
    } cases[] = {
        {"", HotkeyEmptyPart, ""},
        {"Ctrl++B", HotkeyEmptyPart, ""},
        {"+Ctrl+B", HotkeyEmptyPart, ""},
        {"Ctrl+B+", HotkeyEmptyPart, ""},
        {"Ctrl+ +B", HotkeyEmptyPart, ""},
        {"Ctrl+Esc", HotkeyUnknownName, "Esc"},
        {"Control+B", HotkeyUnknownName, "Control"},
        {"Ctrl+F0", HotkeyUnknownName, "F0"},
        {"Ctrl+F25", HotkeyUnknownName, "F25"},
        {"Ctrl+F01", HotkeyUnknownName, "F01"},
        {"Ctrl+F123", HotkeyUnknownName, "F123"},
        {"Ctrl+AB", HotkeyUnknownName, "AB"},
        {"Ctrl+\xe9", HotkeyUnknownName, "\xe9"},
        {"Ctrl+ctrl+B", HotkeyRepeatedName, "ctrl"},
        {"Ctrl+B+b", HotkeyRepeatedName, "b"},
        {"Ctrl+B+C", HotkeyTwoKeys, "C"},
        {"F1+F2", HotkeyTwoKeys, "F2"},
        {"Ctrl+Alt", HotkeyNoKey, ""},
        {"Shift", HotkeyNoKey, ""},
        {"B", HotkeyNoModifier, ""},
        {"space", HotkeyNoModifier, ""},
        {"Delete", HotkeyNoModifier, ""},
    };
    for (const auto &c : cases) {
        const Parsed p = Parse(c.text);
        EXPECT_FALSE(p.ok) << c.text;
        EXPECT_EQ(c.reason, p.reason) << c.text;
        EXPECT_EQ(c.part, p.part) << c.text;
        EXPECT_EQ(0xdeadu, p.modifiers) << c.text;
        EXPECT_EQ(0xbeefu, p.key) << c.text;
    }
}

// A part longer than the error can hold is shown cut, not written past it.
TEST(HotkeyParser, APartLongerThanItsRoomIsCut)
{
    const std::string part(200, 'Q');
    const Parsed p = Parse(("Ctrl+" + part).c_str());
    EXPECT_EQ(HotkeyUnknownName, p.reason);
    EXPECT_EQ(part.substr(0, SETTINGS_HOTKEY_BUFFER - 1), p.part);
}

// A file as a table of keys; a missing key gives the default.
struct Table {
    std::map<std::string, std::string> values;
    std::vector<std::string> asked;
    int size = 0;

    static int ReadInt(void *, const char *, int defaultValue) { return defaultValue; }
    static void ReadText(void *context, const char *key, const char *defaultText, char *buffer, int size)
    {
        Table &table = *static_cast<Table *>(context);
        table.asked.push_back(std::string(key) + "=" + defaultText);
        table.size = size;
        const auto found = table.values.find(key);
        const std::string value = found == table.values.end() ? defaultText : found->second;
        // As the profile reader does: cut to the buffer, always terminated.
        snprintf(buffer, static_cast<size_t>(size), "%s", value.c_str());
    }
};

HotkeySetting Read(std::map<std::string, std::string> values)
{
    Table table;
    table.values = values;
    const SettingsSource source = {Table::ReadInt, Table::ReadText, &table};
    HotkeySetting setting;
    memset(&setting, 0x55, sizeof(setting));
    ReadHotkeySetting(&source, &setting);
    EXPECT_EQ(std::vector<std::string>{"Hotkey="}, table.asked) << "one key, empty by default";
    EXPECT_EQ(SETTINGS_HOTKEY_BUFFER, table.size);
    return setting;
}

TEST(HotkeySetting, AbsentOrBlankWantsNoHotKeyAndRefusesNothing)
{
    for (const auto &values : {std::map<std::string, std::string>{}, {{"Hotkey", ""}}, {{"Hotkey", " \t "}}}) {
        const HotkeySetting s = Read(values);
        EXPECT_FALSE(s.wanted);
        EXPECT_EQ(HotkeyFine, s.why.reason);
    }
}

TEST(HotkeySetting, AValueIsParsedAndAValueThatFillsTheBufferIsTooLong)
{
    HotkeySetting s = Read({{"Hotkey", "Ctrl + Alt + B"}});
    EXPECT_TRUE(s.wanted);
    EXPECT_EQ(HotkeyFine, s.why.reason);
    EXPECT_EQ(kCtrl | kAlt, s.chord.modifiers);
    EXPECT_EQ(UINT('B'), s.chord.key);
    EXPECT_STREQ("Ctrl + Alt + B", s.text);

    s = Read({{"Hotkey", "Ctrl+Q+Q"}});
    EXPECT_TRUE(s.wanted);
    EXPECT_EQ(HotkeyRepeatedName, s.why.reason);

    // 62 characters fit and are parsed; a longer value would be cut by the
    // reader into another key ("Ctrl+B" and spaces), so it is refused.
    const std::string fits = "Ctrl+B" + std::string(SETTINGS_HOTKEY_BUFFER - 2 - 6, ' ');
    s = Read({{"Hotkey", fits}});
    EXPECT_EQ(HotkeyFine, s.why.reason);
    s = Read({{"Hotkey", fits + " +C"}});
    EXPECT_EQ(HotkeyTooLong, s.why.reason);
    EXPECT_EQ(std::string(fits + " ").size(), strlen(s.text));
}

// Converts code page 932 to UTF-8 with the C library, failing the test on a
// sequence that does not convert.
std::string Utf8(const std::string &cp932)
{
    std::string utf8;
    EXPECT_TRUE(ConvertText(cp932, "UTF-8", "CP932", &utf8)) << "not well-formed";
    return utf8;
}

std::string Message(bool japanese, const char *value)
{
    HotkeyChord chord = {};
    HotkeyError why = {};
    EXPECT_FALSE(ParseHotkey(value, &chord, &why)) << value;
    char text[HOTKEY_MESSAGE_SIZE];
    FormatHotkeyProblem(HotkeyMessageWords(japanese).texts, value, &why, text);
    return text;
}

TEST(HotkeyMessage, NamesTheValueAndWhyAndThatBrelloxRunsOnInEnglish)
{
    const std::string head = "The hot key in Brellox.ini, Hotkey=";
    const std::string tail = "\r\nBrellox runs on without a hot key.";
    EXPECT_EQ(head +
                  "Ctrl+Esc, cannot be used:\r\n\"Esc\" is neither a modifier (Ctrl, Alt, Shift, Win) nor a key (A-Z, "
                  "0-9, F1-F24, Space, Tab, Enter, Left, Right, Up, Down, Home, End, PageUp, PageDown, Insert, "
                  "Delete)." +
                  tail,
              Message(false, "Ctrl+Esc"));
    EXPECT_EQ(head + "Alt+ alt+B, cannot be used:\r\n\"alt\" is named twice." + tail, Message(false, "Alt+ alt+B"));
    EXPECT_EQ(head +
                  "Ctrl+B+C, cannot be used:\r\n\"C\" is a second key; a hot key has one key besides its "
                  "modifiers." +
                  tail,
              Message(false, "Ctrl+B+C"));
    EXPECT_EQ(head + "Ctrl++B, cannot be used:\r\na part between two + signs, or at an end, is empty." + tail,
              Message(false, "Ctrl++B"));
    EXPECT_EQ(head + "Ctrl+Alt, cannot be used:\r\nit names no key, only modifiers (for example Ctrl+Alt+B)." + tail,
              Message(false, "Ctrl+Alt"));
    EXPECT_EQ(head +
                  "B, cannot be used:\r\nit needs a modifier (Ctrl, Alt, Shift or Win); only F1 to F24 may stand "
                  "alone." +
                  tail,
              Message(false, "B"));

    char text[HOTKEY_MESSAGE_SIZE];
    const HotkeyError taken = {HotkeyTaken, ""};
    FormatHotkeyProblem(HotkeyMessageWords(false).texts, "Ctrl+Alt+B", &taken, text);
    EXPECT_EQ(head + "Ctrl+Alt+B, cannot be used:\r\nanother program has registered this key." + tail, text);
    const HotkeyError tooLong = {HotkeyTooLong, ""};
    FormatHotkeyProblem(HotkeyMessageWords(false).texts, "Ctrl+B", &tooLong, text);
    EXPECT_EQ(head + "Ctrl+B, cannot be used:\r\nit is too long (62 characters at most)." + tail, text);
}

TEST(HotkeyMessage, TheJapaneseMessagesAreWellFormedCodePage932)
{
    const std::string head = "Brellox.ini のホットキー Hotkey=";
    const std::string tail = "\r\nBrellox はホットキーなしで動作を続けます。";
    EXPECT_EQ(head + "Ctrl+Q+Q は使えません：\r\n「Q」が 2 回あります。" + tail, Utf8(Message(true, "Ctrl+Q+Q")));
    EXPECT_EQ(head +
                  "Ctrl+Esc は使えません：\r\n「Esc」は修飾キー (Ctrl, Alt, Shift, Win) でもキー (A-Z, 0-9, "
                  "F1-F24, Space, Tab, Enter, Left, Right, Up, Down, Home, End, PageUp, PageDown, Insert, Delete) "
                  "でもありません。" +
                  tail,
              Utf8(Message(true, "Ctrl+Esc")));
    EXPECT_EQ(head + "Ctrl+B+C は使えません：\r\n「C」は 2 つ目のキーです。キーは 1 つだけです。" + tail,
              Utf8(Message(true, "Ctrl+B+C")));
    EXPECT_EQ(head + "Ctrl++B は使えません：\r\n+ の前後に何もない部分があります。" + tail,
              Utf8(Message(true, "Ctrl++B")));
    EXPECT_EQ(head + "Alt は使えません：\r\n修飾キーだけでキーがありません (例: Ctrl+Alt+B)。" + tail,
              Utf8(Message(true, "Alt")));
    EXPECT_EQ(
        head + "Q は使えません：\r\n修飾キー (Ctrl, Alt, Shift, Win) が要ります。単独で使えるのは F1-F24 だけです。" +
            tail,
        Utf8(Message(true, "Q")));
    char text[HOTKEY_MESSAGE_SIZE];
    const HotkeyError taken = {HotkeyTaken, ""};
    FormatHotkeyProblem(HotkeyMessageWords(true).texts, "F5", &taken, text);
    EXPECT_EQ(head + "F5 は使えません：\r\nこのキーは別のプログラムが登録しています。" + tail, Utf8(text));
    const HotkeyError tooLong = {HotkeyTooLong, ""};
    FormatHotkeyProblem(HotkeyMessageWords(true).texts, "F5", &tooLong, text);
    EXPECT_EQ(head + "F5 は使えません：\r\n長すぎます (62 文字まで)。" + tail, Utf8(text));
}

// The longest value and part the reader can give fit the message whole.
TEST(HotkeyMessage, TheLongestValueAndPartFit)
{
    const std::string value = "Ctrl+" + std::string(SETTINGS_HOTKEY_BUFFER - 1 - 5, 'Q');
    for (bool japanese : {false, true}) {
        const std::string message = Message(japanese, value.c_str());
        EXPECT_NE(std::string::npos, message.find(value)) << japanese;
        EXPECT_NE(std::string::npos, message.find(value.substr(5) + (japanese ? "\x81\x76" : "\""))) << japanese;
    }
}

// A copy asked to end may hold the key a moment longer (it finishes a
// sweep's wait first): the new copy waits for it, a few seconds at most, and
// tells the user only when another program holds the key.
TEST(HotkeyRefused, TheNewCopyWaitsForTheReplacedOneAndTellsOnlyWhenAnotherProgramHoldsTheKey)
{
    EXPECT_EQ(HotkeyWaitForReplacedCopy, AfterHotkeyRefused(true, 0));
    EXPECT_EQ(HotkeyWaitForReplacedCopy, AfterHotkeyRefused(true, kReplacedCopyWaitMs - 1));
    EXPECT_EQ(HotkeyTellTaken, AfterHotkeyRefused(true, kReplacedCopyWaitMs)) << "it never ends: given up";
    EXPECT_EQ(HotkeyTellTaken, AfterHotkeyRefused(false, 0)) << "no copy replaced, or it has ended";
    EXPECT_EQ(HotkeyTellTaken, AfterHotkeyRefused(false, 100));
}

} // namespace
