// The texts of Brellox's messages, as the program loads them from its
// resources: in Japanese, byte for byte the code page 932 texts the program
// has always shown. Run on its own under LC_ALL=ja_JP.UTF-8, whose ANSI code
// page is 932.
#include "res/resource.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

namespace {

struct JapaneseText {
    unsigned id; // the English text's id
    const char *bytes;
};

const JapaneseText kJapaneseTexts[] = {
    // 場所は上下左右のどれかにチェックを入れてください
    {IDS_NO_EDGE, "\x8f\xea\x8f\x8a\x82\xcd\x8f\xe3\x89\xba\x8d\xb6\x89\x45\x82\xcc\x82\xc7\x82\xea\x82\xa9\x82"
                  "\xc9\x83`\x83\x46\x83\x62\x83N\x82\xf0\x93\xfc\x82\xea\x82\xc4\x82\xad\x82\xbe\x82\xb3\x82"
                  "\xa2"},
    // 設定を
    {IDS_SAVE_BEFORE_PATH, "\x90\xdd\x92\xe8\x82\xf0 "},
    // に書き込めませんでした：
    {IDS_SAVE_AFTER_PATH, " \x82\xc9\x8f\x91\x82\xab\x8d\x9e\x82\xdf\x82\xdc\x82\xb9\x82\xf1\x82\xc5\x82\xb5\x82\xbd"
                          "\x81\x46"},
    // 現在のフォルダーのパスが長すぎるため、設定をファイルに書き込めませんでした。
    {IDS_SAVE_NO_PATH, "\x8c\xbb\x8d\xdd\x82\xcc\x83t\x83H\x83\x8b\x83_\x81[\x82\xcc\x83p\x83X\x82\xaa\x92\xb7\x82"
                       "\xb7\x82\xac\x82\xe9\x82\xbd\x82\xdf\x81\x41\x90\xdd\x92\xe8\x82\xf0\x83t\x83@\x83\x43\x83"
                       "\x8b\x82\xc9\x8f\x91\x82\xab\x8d\x9e\x82\xdf\x82\xdc\x82\xb9\x82\xf1\x82\xc5\x82\xb5\x82\xbd"
                       "\x81\x42"},
    // 理由は不明です (エラー
    {IDS_SAVE_BEFORE_ERROR, "\x97\x9d\x97R\x82\xcd\x95s\x96\xbe\x82\xc5\x82\xb7 (\x83G\x83\x89\x81[ "},
    // )。
    {IDS_SAVE_AFTER_ERROR, ")\x81\x42"},
    // 新しい設定は Brellox を終了するまで有効です。
    {IDS_SAVE_UNTIL_END, "\x90V\x82\xb5\x82\xa2\x90\xdd\x92\xe8\x82\xcd Brellox \x82\xf0\x8fI\x97\xb9\x82\xb7\x82\xe9"
                         "\x82\xdc\x82\xc5\x97L\x8c\xf8\x82\xc5\x82\xb7\x81\x42"},
    // Brellox.ini のホットキー Hotkey=
    {IDS_HOTKEY_BEFORE_VALUE, "Brellox.ini \x82\xcc\x83z\x83\x62\x83g\x83L\x81[ Hotkey="},
    // は使えません：
    {IDS_HOTKEY_AFTER_VALUE, " \x82\xcd\x8eg\x82\xa6\x82\xdc\x82\xb9\x82\xf1\x81\x46"},
    // 「
    {IDS_HOTKEY_BEFORE_PART, "\x81u"},
    // 長すぎます (62 文字まで)。
    {IDS_HOTKEY_TOO_LONG, "\x92\xb7\x82\xb7\x82\xac\x82\xdc\x82\xb7 (62 \x95\xb6\x8e\x9a\x82\xdc\x82\xc5)\x81\x42"},
    // + の前後に何もない部分があります。
    {IDS_HOTKEY_EMPTY_PART,
     "+ \x82\xcc\x91O\x8c\xe3\x82\xc9\x89\xbd\x82\xe0\x82\xc8\x82\xa2\x95\x94\x95\xaa\x82\xaa\x82"
     "\xa0\x82\xe8\x82\xdc\x82\xb7\x81\x42"},
    // 」は修飾キー (Ctrl, Alt, Shift, Win) でもキー (A-Z, 0-9, F1-F24, Space, Tab, Enter, Left, Right, Up, Down, Home,
    // End, PageUp, PageDown, Insert, Delete) でもありません。
    {IDS_HOTKEY_UNKNOWN_NAME,
     "\x81v\x82\xcd\x8f\x43\x8f\xfc\x83L\x81[ (Ctrl, Alt, Shift, Win) \x82\xc5\x82\xe0\x83L\x81[ ("
     "A-Z, 0-9, F1-F24, Space, Tab, Enter, Left, Right, Up, Down, Home, End, PageUp, PageDown, Ins"
     "ert, Delete) \x82\xc5\x82\xe0\x82\xa0\x82\xe8\x82\xdc\x82\xb9\x82\xf1\x81\x42"},
    // 」が 2 回あります。
    {IDS_HOTKEY_REPEATED_NAME, "\x81v\x82\xaa 2 \x89\xf1\x82\xa0\x82\xe8\x82\xdc\x82\xb7\x81\x42"},
    // 」は 2 つ目のキーです。キーは 1 つだけです。
    {IDS_HOTKEY_TWO_KEYS, "\x81v\x82\xcd 2 \x82\xc2\x96\xda\x82\xcc\x83L\x81[\x82\xc5\x82\xb7\x81\x42\x83L\x81[\x82\xcd"
                          " 1 \x82\xc2\x82\xbe\x82\xaf\x82\xc5\x82\xb7\x81\x42"},
    // 修飾キーだけでキーがありません (例: Ctrl+Alt+B)。
    {IDS_HOTKEY_NO_KEY, "\x8f\x43\x8f\xfc\x83L\x81[\x82\xbe\x82\xaf\x82\xc5\x83L\x81[\x82\xaa\x82\xa0\x82\xe8\x82\xdc"
                        "\x82\xb9\x82\xf1 (\x97\xe1: Ctrl+Alt+B)\x81\x42"},
    // 修飾キー (Ctrl, Alt, Shift, Win) が要ります。単独で使えるのは F1-F24 だけです。
    {IDS_HOTKEY_NO_MODIFIER,
     "\x8f\x43\x8f\xfc\x83L\x81[ (Ctrl, Alt, Shift, Win) \x82\xaa\x97v\x82\xe8\x82\xdc\x82\xb7\x81"
     "\x42\x92P\x93\xc6\x82\xc5\x8eg\x82\xa6\x82\xe9\x82\xcc\x82\xcd F1-F24 \x82\xbe\x82\xaf\x82"
     "\xc5\x82\xb7\x81\x42"},
    // このキーは別のプログラムが登録しています。
    {IDS_HOTKEY_TAKEN, "\x82\xb1\x82\xcc\x83L\x81[\x82\xcd\x95\xca\x82\xcc\x83v\x83\x8d\x83O\x83\x89\x83\x80\x82\xaa"
                       "\x93o\x98^\x82\xb5\x82\xc4\x82\xa2\x82\xdc\x82\xb7\x81\x42"},
    // Brellox はホットキーなしで動作を続けます。
    {IDS_HOTKEY_RUNS_ON, "Brellox \x82\xcd\x83z\x83\x62\x83g\x83L\x81[\x82\xc8\x82\xb5\x82\xc5\x93\xae\x8d\xec\x82\xf0"
                         "\x91\xb1\x82\xaf\x82\xdc\x82\xb7\x81\x42"},
    // Brellox.ini の Leave の一覧は 1023 文字を超えているため使いません。
    {IDS_LEAVE_TOO_LONG, "Brellox.ini \x82\xcc Leave \x82\xcc\x88\xea\x97\x97\x82\xcd 1023 \x95\xb6\x8e\x9a\x82\xf0"
                         "\x92\xb4\x82\xa6\x82\xc4\x82\xa2\x82\xe9\x82\xbd\x82\xdf\x8e\x67\x82\xa2\x82\xdc\x82\xb9"
                         "\x82\xf1\x81\x42"},
};

std::string Loaded(unsigned id)
{
    char text[1024];
    const int length = LoadStringA(GetModuleHandleA(NULL), id, text, sizeof(text));
    return std::string(text, length > 0 ? length : 0);
}

TEST(JapaneseTexts, EveryMessageTextLoadsByteForByteAsInCodePage932)
{
    ASSERT_EQ(932u, GetACP()) << "the Japanese locale's ANSI code page";
    for (const JapaneseText &text : kJapaneseTexts)
        EXPECT_EQ(std::string(text.bytes), Loaded(TextId(text.id, true))) << "text " << text.id;
    EXPECT_EQ("Brellox", Loaded(TextId(IDS_CAPTION, true)));
    EXPECT_EQ("Check edges more than one.", Loaded(TextId(IDS_NO_EDGE, false))) << "and the English one apart";
}

} // namespace
