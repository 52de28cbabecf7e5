// The texts of Brellox's resource scripts, read from the scripts as the
// resource compiler reads their string tables, for the rules that put messages
// together: English as written, Japanese in code page 932, as the program's
// ANSI calls get them under a Japanese locale. The scripts are found through
// BRELLOX_SOURCE_DIR, the repository the tests were built from.
#ifndef BRELLOX_TESTS_RESOURCE_TEXTS_H
#define BRELLOX_TESTS_RESOURCE_TEXTS_H

#include "app/hotkey.h"
#include "options/save_failure.h"

#include <iconv.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

// Converts text between two encodings with the C library (such as "UTF-8" and
// "CP932"), independently of the escapes in the code. False, with errno set,
// on a sequence that does not convert, such as a lead byte cut off from its
// trail byte, or when there is no such conversion.
inline bool ConvertText(const std::string &text, const char *to, const char *from, std::string *converted)
{
    iconv_t converter = iconv_open(to, from);
    if (converter == reinterpret_cast<iconv_t>(-1))
        return false;
    std::vector<char> out(text.size() * 4 + 4);
    char *in = const_cast<char *>(text.data());
    size_t inLeft = text.size();
    char *cursor = out.data();
    size_t outLeft = out.size();
    const size_t result = iconv(converter, &in, &inLeft, &cursor, &outLeft);
    const int error = errno;
    iconv_close(converter);
    errno = error;
    converted->assign(out.data(), cursor);
    return result != static_cast<size_t>(-1);
}

// The text with that id name in the language's script; aborts when there is
// none, since every message the tests put together needs its words.
inline std::string ResourceText(const std::string &idName, bool japanese)
{
    const std::string path = std::string(BRELLOX_SOURCE_DIR) + (japanese ? "/res/japanese.rc" : "/res/english.rc");
    std::ifstream file(path);
    std::stringstream script;
    script << file.rdbuf();
    // "ID, "text"" or "ID + IDS_JAPANESE, "text"", a doubled quote standing for one.
    const std::regex row("\\n\\s*" + idName + "(\\s*\\+\\s*IDS_JAPANESE)?\\s*,\\s*\"((?:[^\"]|\"\")*)\"");
    std::smatch match;
    const std::string text = script.str();
    if (!std::regex_search(text, match, row)) {
        std::fprintf(stderr, "%s: no text %s\n", path.c_str(), idName.c_str());
        std::abort();
    }
    std::string value;
    const std::string quoted = match[2];
    for (size_t i = 0; i < quoted.size(); ++i) {
        value += quoted[i];
        if ((quoted[i] == '"' && i + 1 < quoted.size() && quoted[i + 1] == '"') ||
            (quoted[i] == '\\' && i + 1 < quoted.size() && quoted[i + 1] == '\\'))
            ++i;
    }
    if (!japanese)
        return value;
    std::string cp932;
    if (!ConvertText(value, "CP932", "UTF-8", &cp932)) {
        std::fprintf(stderr, "%s: %s does not convert to code page 932\n", path.c_str(), idName.c_str());
        std::abort();
    }
    return cp932;
}

// The words of the hot key's message, kept alive with the texts they point to.
struct HotkeyWords {
    std::vector<std::string> words;
    HotkeyProblemTexts texts;
};

inline HotkeyWords ReadHotkeyMessageWords(bool japanese)
{
    static const char *const kNames[] = {
        "IDS_HOTKEY_BEFORE_VALUE", "IDS_HOTKEY_AFTER_VALUE", "IDS_HOTKEY_BEFORE_PART",  "IDS_HOTKEY_RUNS_ON",
        "IDS_HOTKEY_TOO_LONG",     "IDS_HOTKEY_EMPTY_PART",  "IDS_HOTKEY_UNKNOWN_NAME", "IDS_HOTKEY_REPEATED_NAME",
        "IDS_HOTKEY_TWO_KEYS",     "IDS_HOTKEY_NO_KEY",      "IDS_HOTKEY_NO_MODIFIER",  "IDS_HOTKEY_TAKEN"};
    HotkeyWords w;
    for (const char *name : kNames)
        w.words.push_back(ResourceText(name, japanese));
    w.words.push_back("");
    w.texts = HotkeyProblemTexts{w.words[0].c_str(), w.words[1].c_str(), w.words[2].c_str(), {}, w.words[3].c_str()};
    w.texts.reasons[HotkeyFine] = w.words.back().c_str();
    for (int reason = HotkeyTooLong; reason <= HotkeyTaken; ++reason)
        w.texts.reasons[reason] = w.words[4 + reason - HotkeyTooLong].c_str();
    return w;
}

// Read once for each language.
inline const HotkeyWords &HotkeyMessageWords(bool japanese)
{
    static const HotkeyWords english = ReadHotkeyMessageWords(false);
    static const HotkeyWords japaneseWords = ReadHotkeyMessageWords(true);
    return japanese ? japaneseWords : english;
}

// The words of the message for a save that could not write, likewise.
struct SaveFailureWords {
    std::vector<std::string> words;
    SaveFailureTexts texts;
};

inline SaveFailureWords ReadFailureWords(const char *const names[6], bool japanese)
{
    SaveFailureWords w;
    for (int i = 0; i < 6; ++i)
        w.words.push_back(ResourceText(names[i], japanese));
    w.texts = SaveFailureTexts{w.words[0].c_str(), w.words[1].c_str(), w.words[2].c_str(),
                               w.words[3].c_str(), w.words[4].c_str(), w.words[5].c_str()};
    return w;
}

inline const SaveFailureWords &SaveFailureMessageWords(bool japanese)
{
    static const char *const kNames[] = {"IDS_SAVE_BEFORE_PATH",  "IDS_SAVE_AFTER_PATH",  "IDS_SAVE_NO_PATH",
                                         "IDS_SAVE_BEFORE_ERROR", "IDS_SAVE_AFTER_ERROR", "IDS_SAVE_UNTIL_END"};
    static const SaveFailureWords english = ReadFailureWords(kNames, false);
    static const SaveFailureWords japaneseWords = ReadFailureWords(kNames, true);
    return japanese ? japaneseWords : english;
}

// The words of the message for the shortcut that starts Brellox with Windows,
// made or removed, likewise.
inline const SaveFailureWords &ShortcutFailureMessageWords(bool japanese, bool removing)
{
    static const char *const kMaking[] = {"IDS_SHORTCUT_MAKE_BEFORE_PATH", "IDS_SHORTCUT_MAKE_AFTER_PATH",
                                          "IDS_SHORTCUT_NO_PATH",          "IDS_SAVE_BEFORE_ERROR",
                                          "IDS_SAVE_AFTER_ERROR",          "IDS_SHORTCUT_MAKE_CLOSING"};
    static const char *const kRemoving[] = {
        "IDS_SHORTCUT_REMOVE_BEFORE_PATH", "IDS_SHORTCUT_REMOVE_AFTER_PATH", "IDS_SHORTCUT_NO_PATH",
        "IDS_SAVE_BEFORE_ERROR",           "IDS_SAVE_AFTER_ERROR",           "IDS_SHORTCUT_REMOVE_CLOSING"};
    static const SaveFailureWords words[2][2] = {{ReadFailureWords(kMaking, false), ReadFailureWords(kRemoving, false)},
                                                 {ReadFailureWords(kMaking, true), ReadFailureWords(kRemoving, true)}};
    return words[japanese][removing];
}

#endif
