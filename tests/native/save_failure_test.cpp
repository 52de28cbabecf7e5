#include "options/save_failure.h"
#include "resource_texts.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

bool IsCp932LeadByte(unsigned char byte)
{
    return (byte >= 0x81 && byte <= 0x9f) || (byte >= 0xe0 && byte <= 0xfc);
}

// Converts between UTF-8 and code page 932 (ConvertText), failing the test on
// a sequence that does not convert.
std::string Convert(const std::string &text, const char *to, const char *from)
{
    std::string converted;
    EXPECT_TRUE(ConvertText(text, to, from, &converted)) << "not well-formed: " << std::strerror(errno);
    return converted;
}

std::string Cp932(const std::string &utf8)
{
    return Convert(utf8, "CP932", "UTF-8");
}

std::string Utf8(const std::string &cp932)
{
    return Convert(cp932, "UTF-8", "CP932");
}

std::string Message(bool japanese, const std::string &path, const std::string &reason, DWORD error = 5)
{
    char text[1024];
    FormatSaveFailure(SaveFailureMessageWords(japanese).texts, path.c_str(), reason.c_str(), error, IsCp932LeadByte,
                      text, sizeof(text));
    return text;
}

const char kPath[] = "C:\\Program Files\\Brellox\\Brellox.ini";

TEST(SaveFailureMessage, NamesThePathAndTheReasonInEitherLanguage)
{
    EXPECT_EQ(std::string("The settings could not be written to ") + kPath +
                  ":\r\nAccess denied.\r\nThe new settings apply until Brellox ends.",
              Message(false, kPath, "Access denied.\r\n"))
        << "the line break the system ends its text with is dropped";
    EXPECT_EQ(
        Cp932(
            std::string("設定を ") + kPath +
            " に書き込めませんでした：\r\nアクセスが拒否されました。\r\n新しい設定は Brellox を終了するまで有効です。"),
        Message(true, kPath, Cp932("アクセスが拒否されました。\r\n")));
}

TEST(SaveFailureMessage, WithoutTheSystemsReasonGivesTheErrorNumber)
{
    EXPECT_EQ(std::string("The settings could not be written to ") + kPath +
                  ":\r\nWindows gave no reason (error 32).\r\nThe new settings apply until Brellox ends.",
              Message(false, kPath, "", 32));
    EXPECT_NE(std::string::npos, Message(false, kPath, " \r\n", 0x7fffffffu).find("(error 2147483647)"))
        << "a reason of white space alone is none";
    EXPECT_NE(std::string::npos, Message(false, kPath, "", 0x80004005u).find("(error 0x80004005)"))
        << "a failure's HRESULT, in hexadecimal";
    EXPECT_NE(std::string::npos, Message(false, kPath, "", 0xFFFFFFFFu).find("(error 0xFFFFFFFF)"));
    EXPECT_EQ(Cp932(std::string("設定を ") + kPath +
                    " に書き込めませんでした：\r\n理由は不明です (エラー 0)。\r\n新しい設定は Brellox "
                    "を終了するまで有効です。"),
              Message(true, kPath, "", 0));
}

TEST(SaveFailureMessage, SaysSoWhenNoPathCouldBeFormed)
{
    EXPECT_EQ("The settings could not be written: the current folder's path is too long to name the settings file."
              "\r\nThe new settings apply until Brellox ends.",
              Message(false, "", "ignored"));
    EXPECT_EQ(Cp932("現在のフォルダーのパスが長すぎるため、設定をファイルに書き込めませんでした。\r\n"
                    "新しい設定は Brellox を終了するまで有効です。"),
              Message(true, "", "ignored"));
}

// Every buffer size from none to more than enough, with a path and a reason of
// double-byte characters (whose trail byte may be a backslash) far too long for
// it: nothing is written past the buffer, the text is always terminated and
// converts as code page 932, and once the message's own words fit, it keeps
// them and gives the path and the reason a share of the rest.
TEST(SaveFailureMessage, LongPathAndReasonAreCutOnWholeCharactersWithinTheBuffer)
{
    std::string path = "C:\\";
    std::string reason;
    for (int i = 0; i < 700; ++i) {
        path += Cp932("ソ") + "x";
        reason += Cp932("表") + "y";
    }
    const std::string head = Cp932("設定を ");
    const std::string afterPath = Cp932(" に書き込めませんでした：") + "\r\n";
    const std::string tail = "\r\n" + Cp932("新しい設定は Brellox を終了するまで有効です。");
    const size_t fixed = head.size() + afterPath.size() + tail.size();
    const char kGuard = '\x7f';

    for (size_t size = 0; size <= fixed + 200; ++size) {
        SCOPED_TRACE(size);
        std::vector<char> buffer(size + 16, kGuard);
        FormatSaveFailure(SaveFailureMessageWords(true).texts, path.c_str(), reason.c_str(), 5, IsCp932LeadByte,
                          buffer.data(), size);
        for (size_t i = size; i < buffer.size(); ++i)
            ASSERT_EQ(kGuard, buffer[i]) << "written past the buffer at " << i;
        if (size == 0)
            continue;
        const size_t length = strnlen(buffer.data(), size);
        ASSERT_LT(length, size) << "not terminated";
        const std::string text(buffer.data(), length);
        Utf8(text);
        if (size <= fixed + 12)
            continue;
        EXPECT_GE(length + 2, size - 1) << "the cut texts fill the room but for a character's second byte each";
        ASSERT_EQ(0u, text.find(head + "C:\\"));
        ASSERT_NE(std::string::npos, text.find("...")) << text;
        const size_t pathEnd = text.find("..." + afterPath);
        ASSERT_NE(std::string::npos, pathEnd) << "the path is cut and marked";
        EXPECT_EQ(text.size() - tail.size(), text.rfind("..." + tail) + 3) << "the reason is cut and marked";
        EXPECT_GE(pathEnd - head.size() + 3, (size - 1 - fixed) / 2 - 1) << "the path has about half the room";
    }
}

TEST(SaveFailureMessage, AShortReasonLeavesTheRestToTheLongPath)
{
    const std::string path = "C:\\" + std::string(2000, 'p');
    char text[400];
    FormatSaveFailure(SaveFailureMessageWords(false).texts, path.c_str(), "Sharing violation.\r\n", 32, IsCp932LeadByte,
                      text, sizeof(text));
    const std::string message = text;
    EXPECT_EQ(sizeof(text) - 1, message.size());
    EXPECT_NE(std::string::npos,
              message.find("ppp...:\r\nSharing violation.\r\nThe new settings apply until Brellox ends."))
        << message;
}

} // namespace
