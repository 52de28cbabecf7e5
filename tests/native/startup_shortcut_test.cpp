#include "app/startup_shortcut.h"
#include "resource_texts.h"

#include <gtest/gtest.h>

#include <string>

namespace {

bool IsCp932LeadByte(unsigned char byte)
{
    return (byte >= 0x81 && byte <= 0x9f) || (byte >= 0xe0 && byte <= 0xfc);
}

std::string Cp932(const std::string &utf8)
{
    std::string converted;
    EXPECT_TRUE(ConvertText(utf8, "CP932", "UTF-8", &converted));
    return converted;
}

const char kExe[] = "C:\\Tools\\Brellox\\Brellox.exe";
const char kFolder[] = "C:\\Tools\\Brellox";

bool StartsHere(const std::string &target, const std::string &folder)
{
    return StartsThisCopy(target.c_str(), folder.c_str(), kExe, kFolder, IsCp932LeadByte);
}

TEST(StartupShortcut, StartsThisCopyOnlyForTheSameProgramInTheSameFolder)
{
    EXPECT_TRUE(StartsHere(kExe, kFolder));
    EXPECT_TRUE(StartsHere("c:\\TOOLS\\brellox\\BRELLOX.EXE", "c:\\tools\\BRELLOX")) << "names in either case";
    EXPECT_TRUE(StartsHere(kExe, "C:\\Tools\\Brellox\\")) << "a trailing backslash names the same folder";

    EXPECT_FALSE(StartsHere(kExe, "C:\\Tools")) << "this copy started in another folder reads another file";
    EXPECT_FALSE(StartsHere(kExe, "C:\\Tools\\Brellox2"));
    EXPECT_FALSE(StartsHere(kExe, "C:\\Tools\\Brellox\\\\"));
    EXPECT_FALSE(StartsHere(kExe, "")) << "a shortcut without a working folder starts in the system's";
    EXPECT_FALSE(StartsHere("D:\\Brellox\\Brellox.exe", kFolder)) << "another copy";
    EXPECT_FALSE(StartsHere("C:\\Tools\\Brellox\\Brellox.ex", kFolder));
    EXPECT_FALSE(StartsHere("C:\\Tools\\Brellox\\Brellox.exe.bak", kFolder));
    EXPECT_FALSE(StartsHere("", kFolder));
}

TEST(StartupShortcut, TwoByteCharactersCompareWhole)
{
    // U+30A2 and U+30C2 differ only in the case of their second byte ('A', 'a').
    const std::string upper = Cp932("ア"), lower = Cp932("ヂ");
    ASSERT_EQ(upper[1] + 0x20, lower[1]);
    ASSERT_EQ(upper[0], lower[0]);
    const std::string exe = "C:\\" + upper + "\\Brellox.exe", folder = "C:\\" + upper;
    EXPECT_TRUE(StartsThisCopy(exe.c_str(), folder.c_str(), exe.c_str(), folder.c_str(), IsCp932LeadByte));
    EXPECT_FALSE(SamePath(("C:\\" + lower).c_str(), folder.c_str(), IsCp932LeadByte));
    // U+8868 ends in 0x5C, a backslash as a single byte: no trailing backslash.
    const std::string table = Cp932("表");
    ASSERT_EQ('\\', table[1]);
    EXPECT_FALSE(SamePath(("C:\\" + table).c_str(), ("C:\\" + table.substr(0, 1)).c_str(), IsCp932LeadByte));
    EXPECT_TRUE(SamePath(("C:\\" + table + "\\").c_str(), ("C:\\" + table).c_str(), IsCp932LeadByte));
}

// The copy started to write the shortcut is told by its command line alone;
// any other command line starts Brellox as before.
TEST(StartupShortcut, OnlyTheSwitchOnItsOwnStartsTheCopyThatWritesTheShortcut)
{
    for (const char *line :
         {"/StartWithWindows", "/startwithwindows", "  /STARTWITHWINDOWS\t", kStartWithWindowsSwitch})
        EXPECT_TRUE(IsStartWithWindowsSwitch(line)) << line;
    for (const char *line : {"", " ", "/StartWithWindow", "/StartWithWindowsX", "StartWithWindows", "-StartWithWindows",
                             "/StartWithWindows /StartWithWindows", "/Start WithWindows"})
        EXPECT_FALSE(IsStartWithWindowsSwitch(line)) << line;
}

TEST(StartupShortcut, LiesInTheStartupFolderUnderBrelloxsName)
{
    char path[MAX_PATH];
    const std::string startup = "C:\\Users\\me\\AppData\\Roaming\\Microsoft\\Windows\\Start Menu\\Programs\\Startup";
    ASSERT_TRUE(StartupShortcutPath(startup.c_str(), path));
    EXPECT_EQ(startup + "\\Brellox.lnk", path);

    const std::string longest(MAX_PATH - 1 - 12, 'f');
    ASSERT_TRUE(StartupShortcutPath(longest.c_str(), path));
    EXPECT_EQ(std::string(path).size(), MAX_PATH - 1u);
    EXPECT_FALSE(StartupShortcutPath((longest + "f").c_str(), path)) << "one more does not fit";
    EXPECT_STREQ("", path);
}

std::string Message(bool japanese, bool removing, const std::string &path, const std::string &reason, DWORD error)
{
    char text[1024];
    FormatSaveFailure(ShortcutFailureMessageWords(japanese, removing).texts, path.c_str(), reason.c_str(), error,
                      IsCp932LeadByte, text, sizeof(text));
    return text;
}

const char kShortcut[] = "C:\\Users\\me\\Start Menu\\Programs\\Startup\\Brellox.lnk";

TEST(StartupShortcutMessage, NamesTheShortcutTheReasonAndWhatItMeansInEitherLanguage)
{
    EXPECT_EQ(std::string("Brellox could not make its shortcut ") + kShortcut +
                  ":\r\nAccess denied.\r\nBrellox will not start with Windows.",
              Message(false, false, kShortcut, "Access denied.\r\n", 5));
    EXPECT_EQ(std::string("Brellox could not remove its shortcut ") + kShortcut +
                  ":\r\nWindows gave no reason (error 0x80004005).\r\nBrellox will still start with Windows.",
              Message(false, true, kShortcut, "", 0x80004005u));
    EXPECT_EQ(Cp932(std::string("Brellox のショートカット ") + kShortcut +
                    " を作成できませんでした：\r\nアクセスが拒否されました。\r\nBrellox は Windows "
                    "の起動時に開始しません。"),
              Message(true, false, kShortcut, Cp932("アクセスが拒否されました。"), 5));
    EXPECT_EQ(Cp932(std::string("Brellox のショートカット ") + kShortcut +
                    " を削除できませんでした：\r\n理由は不明です (エラー 32)。\r\nBrellox は引き続き Windows "
                    "の起動時に開始します。"),
              Message(true, true, kShortcut, "", 32));
}

TEST(StartupShortcutMessage, SaysSoWhenTheStartupFolderCannotBeNamed)
{
    EXPECT_EQ("Brellox could not name its shortcut in the Startup folder.\r\nBrellox will not start with Windows.",
              Message(false, false, "", "ignored", 0));
    EXPECT_EQ(Cp932("スタートアップ フォルダーの場所がわからないため、Brellox "
                    "のショートカットを作成できませんでした。\r\nBrellox は Windows の起動時に開始しません。"),
              Message(true, false, "", "ignored", 0));
}

} // namespace
