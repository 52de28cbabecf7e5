#include "core/leave_list.h"

#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <string>
#include <vector>

namespace {

// Code page 932's lead bytes, as GetCPInfo gives them.
const LeadBytes kCodePage932 = {{0x81, 0x9F, 0xE0, 0xFC}};
const LeadBytes kSingleByte = {};

std::vector<std::string> Names(const LeaveList &list)
{
    std::vector<std::string> names;
    const char *name = list.names;
    for (int i = 0; i < list.count; ++i) {
        names.push_back(name);
        name += strlen(name) + 1;
    }
    return names;
}

LeaveList Parsed(const std::string &text, const LeadBytes &lead = kSingleByte)
{
    LeaveList list;
    memset(&list, 0x5A, sizeof(list));
    ParseLeaveList(text.c_str(), lead, &list);
    return list;
}

using NameList = std::vector<std::string>;

TEST(LeaveList, NamesAreSeparatedByCommasWithTheBlanksAroundThemAndEmptyOnesDropped)
{
    EXPECT_EQ(NameList({"AcceptNote", "notes.exe"}), Names(Parsed("AcceptNote, notes.exe")));
    EXPECT_EQ(NameList({"a b", "c"}), Names(Parsed(" \t a b\t ,c \t")));
    EXPECT_EQ(NameList({"x", "y"}), Names(Parsed(",, x,\t ,,y,")));
    EXPECT_EQ(NameList({"only"}), Names(Parsed("only")));
    EXPECT_EQ(NameList({}), Names(Parsed("")));
    EXPECT_EQ(NameList({}), Names(Parsed(" ,\t, ")));
}

TEST(LeaveList, ANameIsFoundInAnyCaseOfItsAsciiLettersAndOnlyWhole)
{
    const LeaveList list = Parsed("AcceptNote, notes.exe");
    for (const char *name : {"AcceptNote", "acceptnote", "ACCEPTNOTE", "NOTES.EXE", "Notes.Exe"})
        EXPECT_TRUE(LeaveListNames(list, name)) << name;
    for (const char *name : {"", "AcceptNot", "AcceptNotes", " AcceptNote", "notes", "notes.exe "})
        EXPECT_FALSE(LeaveListNames(list, name)) << "'" << name << "'";
    EXPECT_FALSE(LeaveListNames(Parsed(""), "")) << "an empty list holds nothing, not even no name";
    // Only ASCII letters fold: '@' and '`' sit next to 'A' and 'a' and do not.
    EXPECT_FALSE(LeaveListNames(Parsed("x@"), "x`"));
    EXPECT_FALSE(LeaveListNames(Parsed("[x]"), "{x}"));
}

TEST(LeaveList, TheProgramIsTheFileNamePartOfItsPath)
{
    const LeaveList list = Parsed("notes.exe, Other");
    EXPECT_TRUE(LeaveListNamesProgram(list, "C:\\Program Files\\Notes\\notes.exe"));
    EXPECT_TRUE(LeaveListNamesProgram(list, "C:\\temp\\NOTES.EXE"));
    EXPECT_TRUE(LeaveListNamesProgram(list, "\\\\server\\share/tools/Notes.exe"));
    EXPECT_TRUE(LeaveListNamesProgram(list, "notes.exe"));
    EXPECT_FALSE(LeaveListNamesProgram(list, "C:\\notes.exe\\sticky.exe")) << "a folder of that name";
    EXPECT_FALSE(LeaveListNamesProgram(list, "C:\\apps\\mynotes.exe"));
    EXPECT_FALSE(LeaveListNamesProgram(list, "C:\\apps\\"));
    EXPECT_FALSE(LeaveListNamesProgram(Parsed(""), "C:\\notes.exe"));
}

// In code page 932 the second byte of a character may have the value of an
// ASCII letter or of '\': it is neither folded nor taken for a separator.
TEST(LeaveList, TheSecondByteOfADoubleByteCharacterIsNeitherFoldedNorASeparator)
{
    // "ア" is 83 41 and "ツ" 83 61: their second bytes are 'A' and 'a'.
    const std::string a = "\x83\x41";
    const std::string tsu = "\x83\x61";
    const LeaveList list = Parsed(a + "Memo.exe, " + a + "Window", kCodePage932);
    EXPECT_EQ(NameList({a + "Memo.exe", a + "Window"}), Names(list));
    EXPECT_TRUE(LeaveListNames(list, (a + "MEMO.EXE").c_str()));
    EXPECT_TRUE(LeaveListNames(list, (a + "window").c_str()));
    EXPECT_FALSE(LeaveListNames(list, (tsu + "Memo.exe").c_str())) << "another character";
    EXPECT_FALSE(LeaveListNames(list, (tsu + "window").c_str()));
    EXPECT_TRUE(LeaveListNames(Parsed(tsu + "Memo.exe", kSingleByte), (a + "Memo.exe").c_str()))
        << "without the lead bytes every 'A' folds: the code page is what keeps them apart";

    // "表" is 95 5C, "ソ" 83 5C: a path with them in a folder's or the file's name.
    const std::string hyo = "\x95\x5C";
    const std::string so = "\x83\x5C";
    const LeaveList programs = Parsed(hyo + ".exe, " + so + "ft.exe", kCodePage932);
    EXPECT_TRUE(LeaveListNamesProgram(programs, ("C:\\" + so + "\\" + hyo + ".exe").c_str()));
    EXPECT_TRUE(LeaveListNamesProgram(programs, ("C:\\x\\" + so + "FT.EXE").c_str()));
    EXPECT_FALSE(LeaveListNamesProgram(programs, ("C:\\" + hyo + "\\x.exe").c_str()));
    EXPECT_FALSE(LeaveListNamesProgram(Parsed(".exe", kCodePage932), ("C:\\" + hyo + ".exe").c_str()))
        << "the second byte of a character is no separator";
    EXPECT_TRUE(LeaveListNamesProgram(Parsed(".exe", kSingleByte), ("C:\\" + hyo + ".exe").c_str()))
        << "in a single-byte code page it is one";
}

// A settings file's answers, by key.
struct FileAnswers {
    std::map<std::string, std::string> values;

    static void ReadText(void *context, const char *key, const char *defaultText, char *buffer, int size)
    {
        const FileAnswers &file = *static_cast<const FileAnswers *>(context);
        const auto found = file.values.find(key);
        const std::string value = found != file.values.end() ? found->second : defaultText;
        // As the profile reader: cut to the buffer, always ended.
        const size_t length =
            value.size() < static_cast<size_t>(size - 1) ? value.size() : static_cast<size_t>(size - 1);
        memcpy(buffer, value.data(), length);
        buffer[length] = '\0';
    }
    static int ReadInt(void *, const char *, int defaultValue) { return defaultValue; }
};

bool Read(const char *value, LeaveList *list)
{
    FileAnswers file;
    if (value != NULL)
        file.values["Leave"] = value;
    const SettingsSource source = {FileAnswers::ReadInt, FileAnswers::ReadText, &file};
    memset(list, 0x5A, sizeof(*list));
    return ReadLeaveList(&source, kCodePage932, list);
}

TEST(LeaveList, AValueLongerThanTheReadBufferIsRefusedWhole)
{
    LeaveList list;
    EXPECT_TRUE(Read(NULL, &list)) << "absent";
    EXPECT_EQ(0, list.count);
    EXPECT_TRUE(Read("", &list)) << "empty";
    EXPECT_EQ(0, list.count);

    // The longest value that fits, its last name ending at its last byte.
    std::string longest = "AcceptNote, notes.exe,";
    longest += std::string(LEAVE_VALUE_LONGEST - longest.size() - 1, ' ') + "z";
    ASSERT_EQ(1023u, longest.size());
    EXPECT_TRUE(Read(longest.c_str(), &list));
    EXPECT_EQ(NameList({"AcceptNote", "notes.exe", "z"}), Names(list));
    EXPECT_TRUE(LeaveListNames(list, "acceptnote"));

    for (const std::string &tooLong : {longest + "z", longest + ",", longest + std::string(5000, 'x')}) {
        EXPECT_FALSE(Read(tooLong.c_str(), &list)) << tooLong.size() << " characters";
        EXPECT_EQ(0, list.count) << "nothing of it is used";
        EXPECT_FALSE(LeaveListNames(list, "AcceptNote"));
        EXPECT_FALSE(LeaveListNamesProgram(list, "C:\\notes.exe"));
    }
}

} // namespace
