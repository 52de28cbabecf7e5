#include "app/shell_link_file.h"

#include <gtest/gtest.h>

#include <cctype>
#include <cstring>
#include <string>
#include <vector>

namespace {

typedef std::vector<unsigned char> Bytes;

// ASCII only, as a code page would turn it; anything else has no form here.
bool AsciiOnly(const unsigned char *utf16le, size_t units, char *ansi, size_t size)
{
    if (units >= size)
        return false;
    for (size_t i = 0; i < units; ++i) {
        const unsigned unit = utf16le[2 * i] | utf16le[2 * i + 1] << 8;
        if (unit == 0 || unit >= 0x80)
            return false;
        ansi[i] = static_cast<char>(unit);
    }
    ansi[units] = '\0';
    return true;
}

Bytes FromHex(const char *hex)
{
    Bytes bytes;
    unsigned value = 0;
    int digits = 0;
    for (const char *c = hex; *c != '\0'; ++c) {
        const char d = *c;
        if (!isxdigit(static_cast<unsigned char>(d)))
            continue;
        value = value * 16 +
                static_cast<unsigned>(isdigit(static_cast<unsigned char>(d)) ? d - '0' : (d | 0x20) - 'a' + 10);
        if (++digits == 2) {
            bytes.push_back(static_cast<unsigned char>(value));
            value = 0;
            digits = 0;
        }
    }
    return bytes;
}

// Microsoft's published example of the format: a shortcut, made by Windows,
// to C:\test\a.txt, with its working folder, relative path, item list and a
// tracker block.
const char kPublishedExample[] = "4C 00 00 00 01 14 02 00 00 00 00 00 C0 00 00 00 "
                                 "00 00 00 46 9B 00 08 00 20 00 00 00 D0 E9 EE F2 "
                                 "15 15 C9 01 D0 E9 EE F2 15 15 C9 01 D0 E9 EE F2 "
                                 "15 15 C9 01 00 00 00 00 00 00 00 00 01 00 00 00 "
                                 "00 00 00 00 00 00 00 00 00 00 00 00 BD 00 14 00 "
                                 "1F 50 E0 4F D0 20 EA 3A 69 10 A2 D8 08 00 2B 30 "
                                 "30 9D 19 00 2F 43 3A 5C 00 00 00 00 00 00 00 00 "
                                 "00 00 00 00 00 00 00 00 00 00 00 46 00 31 00 00 "
                                 "00 00 00 2C 39 69 A3 10 00 74 65 73 74 00 00 32 "
                                 "00 07 00 04 00 EF BE 2C 39 65 A3 2C 39 69 A3 26 "
                                 "00 00 00 03 1E 00 00 00 00 F5 1E 00 00 00 00 00 "
                                 "00 00 00 00 00 74 00 65 00 73 00 74 00 00 00 14 "
                                 "00 48 00 32 00 00 00 00 00 2C 39 69 A3 20 00 61 "
                                 "2E 74 78 74 00 34 00 07 00 04 00 EF BE 2C 39 69 "
                                 "A3 2C 39 69 A3 26 00 00 00 2D 6E 00 00 00 00 96 "
                                 "01 00 00 00 00 00 00 00 00 00 00 61 00 2E 00 74 "
                                 "00 78 00 74 00 00 00 14 00 00 00 3C 00 00 00 1C "
                                 "00 00 00 01 00 00 00 1C 00 00 00 2D 00 00 00 00 "
                                 "00 00 00 3B 00 00 00 11 00 00 00 03 00 00 00 81 "
                                 "8A 7A 30 10 00 00 00 00 43 3A 5C 74 65 73 74 5C "
                                 "61 2E 74 78 74 00 00 07 00 2E 00 5C 00 61 00 2E "
                                 "00 74 00 78 00 74 00 07 00 43 00 3A 00 5C 00 74 "
                                 "00 65 00 73 00 74 00 60 00 00 00 03 00 00 A0 58 "
                                 "00 00 00 00 00 00 00 63 68 72 69 73 2D 78 70 73 "
                                 "00 00 00 00 00 00 00 40 78 C7 94 47 FA C7 46 B3 "
                                 "56 5C 2D C6 B6 D1 15 EC 46 CD 7B 22 7F DD 11 94 "
                                 "99 00 13 72 16 87 4A 40 78 C7 94 47 FA C7 46 B3 "
                                 "56 5C 2D C6 B6 D1 15 EC 46 CD 7B 22 7F DD 11 94 "
                                 "99 00 13 72 16 87 4A 00 00 00 00";

void PutU16(Bytes *bytes, size_t value)
{
    bytes->push_back(static_cast<unsigned char>(value));
    bytes->push_back(static_cast<unsigned char>(value >> 8));
}

void PutU32(Bytes *bytes, size_t value)
{
    PutU16(bytes, value & 0xFFFF);
    PutU16(bytes, value >> 16);
}

void PutAnsi(Bytes *bytes, const std::string &text)
{
    bytes->insert(bytes->end(), text.begin(), text.end());
    bytes->push_back(0);
}

void PutUtf16(Bytes *bytes, const std::u16string &text, bool terminated)
{
    for (char16_t unit : text)
        PutU16(bytes, unit);
    if (terminated)
        PutU16(bytes, 0);
}

// A shortcut as a writer lays one out: header, optional item list, link
// information and string data. The link information is given whole.
struct Shortcut {
    unsigned long flags = 0x2 | 0x10 | 0x80;
    Bytes itemList;
    Bytes linkInfo;
    std::u16string name, relativePath, workingFolder = u"C:\\Tools";

    Bytes File() const
    {
        Bytes bytes;
        PutU32(&bytes, 0x4C);
        const Bytes classId = FromHex("01140200 00000000 C0000000 00000046");
        bytes.insert(bytes.end(), classId.begin(), classId.end());
        PutU32(&bytes, flags);
        bytes.resize(0x4C, 0);
        if (flags & 0x1) {
            PutU16(&bytes, itemList.size());
            bytes.insert(bytes.end(), itemList.begin(), itemList.end());
        }
        bytes.insert(bytes.end(), linkInfo.begin(), linkInfo.end());
        const std::pair<unsigned long, const std::u16string *> strings[] = {
            {0x4, &name}, {0x8, &relativePath}, {0x10, &workingFolder}};
        for (const auto &string : strings) {
            if ((flags & string.first) == 0)
                continue;
            PutU16(&bytes, string.second->size());
            if (flags & 0x80) {
                PutUtf16(&bytes, *string.second, false);
            } else {
                for (char16_t unit : *string.second)
                    bytes.push_back(static_cast<unsigned char>(unit));
            }
        }
        PutU32(&bytes, 0); // no extra data
        return bytes;
    }
};

// Link information of a local target: the base path in the ANSI code page,
// and in UTF-16 too when unicode is given, then the common suffix.
Bytes LocalLinkInfo(const std::string &basePath, const std::string &suffix, const std::u16string *unicode = nullptr)
{
    const size_t headerSize = unicode != nullptr ? 0x24 : 0x1C;
    Bytes tail;
    const size_t volumeAt = headerSize;
    PutU32(&tail, 0x11); // a volume ID without a label
    PutU32(&tail, 3);
    PutU32(&tail, 0x12345678);
    PutU32(&tail, 0x10);
    tail.push_back(0);
    const size_t baseAt = headerSize + tail.size();
    PutAnsi(&tail, basePath);
    const size_t suffixAt = headerSize + tail.size();
    PutAnsi(&tail, suffix);
    size_t unicodeBaseAt = 0, unicodeSuffixAt = 0;
    if (unicode != nullptr) {
        if (tail.size() % 2 != 0)
            tail.push_back(0);
        unicodeBaseAt = headerSize + tail.size();
        PutUtf16(&tail, *unicode, true);
        unicodeSuffixAt = headerSize + tail.size();
        PutUtf16(&tail, std::u16string(suffix.begin(), suffix.end()), true);
    }
    Bytes info;
    PutU32(&info, headerSize + tail.size());
    PutU32(&info, headerSize);
    PutU32(&info, 0x1);
    PutU32(&info, volumeAt);
    PutU32(&info, baseAt);
    PutU32(&info, 0);
    PutU32(&info, suffixAt);
    if (unicode != nullptr) {
        PutU32(&info, unicodeBaseAt);
        PutU32(&info, unicodeSuffixAt);
    }
    info.insert(info.end(), tail.begin(), tail.end());
    return info;
}

// Link information of a target on a share, mapped to a drive where device is
// not empty.
Bytes NetworkLinkInfo(const std::string &share, const std::string &device, const std::string &suffix)
{
    Bytes link;
    const size_t nameAt = 0x14, deviceAt = nameAt + share.size() + 1;
    PutU32(&link, deviceAt + device.size() + 1);
    PutU32(&link, device.empty() ? 0x2 : 0x3);
    PutU32(&link, nameAt);
    PutU32(&link, device.empty() ? 0 : deviceAt);
    PutU32(&link, 0x20000);
    PutAnsi(&link, share);
    PutAnsi(&link, device);
    const size_t linkAt = 0x1C, suffixAt = linkAt + link.size();
    Bytes info;
    PutU32(&info, suffixAt + suffix.size() + 1);
    PutU32(&info, 0x1C);
    PutU32(&info, 0x2);
    PutU32(&info, 0);
    PutU32(&info, 0);
    PutU32(&info, linkAt);
    PutU32(&info, suffixAt);
    info.insert(info.end(), link.begin(), link.end());
    PutAnsi(&info, suffix);
    return info;
}

bool Read(const Bytes &bytes, ShellLinkPaths *paths)
{
    return ReadShellLinkPaths(bytes.data(), bytes.size(), AsciiOnly, paths);
}

TEST(ShellLinkFile, ReadsTheTargetAndWorkingFolderOfAShortcutWindowsMade)
{
    const Bytes example = FromHex(kPublishedExample);
    ASSERT_EQ(0x1CBu, example.size());
    ShellLinkPaths paths;
    ASSERT_TRUE(Read(example, &paths));
    EXPECT_STREQ("C:\\test\\a.txt", paths.target);
    EXPECT_STREQ("C:\\test", paths.workingFolder);
}

TEST(ShellLinkFile, ReadsEveryWayTheFormatNamesALocalOrNetworkTarget)
{
    Shortcut shortcut;
    shortcut.linkInfo = LocalLinkInfo("C:\\Tools\\", "Brellox.exe");
    ShellLinkPaths paths;
    ASSERT_TRUE(Read(shortcut.File(), &paths));
    EXPECT_STREQ("C:\\Tools\\Brellox.exe", paths.target) << "base path and common suffix";
    EXPECT_STREQ("C:\\Tools", paths.workingFolder);

    const std::u16string wide = u"C:\\Wide\\Brellox.exe";
    shortcut.linkInfo = LocalLinkInfo("C:\\Ansi\\Brellox.exe", "", &wide);
    ASSERT_TRUE(Read(shortcut.File(), &paths));
    EXPECT_STREQ("C:\\Wide\\Brellox.exe", paths.target) << "the UTF-16 path where the link carries one";

    shortcut.flags = 0x1 | 0x2 | 0x4 | 0x8 | 0x10; // an item list, a name and a relative path, ANSI strings
    shortcut.itemList = Bytes(40, 0x5A);
    shortcut.name = u"Brellox";
    shortcut.relativePath = u"..\\Tools\\Brellox.exe";
    shortcut.workingFolder = u"D:\\Settings";
    shortcut.linkInfo = LocalLinkInfo("C:\\Tools\\Brellox.exe", "");
    ASSERT_TRUE(Read(shortcut.File(), &paths));
    EXPECT_STREQ("C:\\Tools\\Brellox.exe", paths.target);
    EXPECT_STREQ("D:\\Settings", paths.workingFolder) << "after the strings before it";

    shortcut.flags &= ~0x10ul;
    ASSERT_TRUE(Read(shortcut.File(), &paths));
    EXPECT_STREQ("", paths.workingFolder) << "a shortcut without a working folder";

    shortcut.flags |= 0x10;
    shortcut.linkInfo = NetworkLinkInfo("\\\\server\\tools", "Z:", "Brellox\\Brellox.exe");
    ASSERT_TRUE(Read(shortcut.File(), &paths));
    EXPECT_STREQ("Z:\\Brellox\\Brellox.exe", paths.target) << "the mapped drive the program was started from";
    shortcut.linkInfo = NetworkLinkInfo("\\\\server\\tools", "", "Brellox\\Brellox.exe");
    ASSERT_TRUE(Read(shortcut.File(), &paths));
    EXPECT_STREQ("\\\\server\\tools\\Brellox\\Brellox.exe", paths.target) << "the share, unmapped";
}

TEST(ShellLinkFile, AShortcutWhoseTargetOnlyTheShellKnowsIsNotRead)
{
    Shortcut shortcut;
    shortcut.linkInfo = LocalLinkInfo("C:\\Tools\\Brellox.exe", "");
    ShellLinkPaths paths;
    ASSERT_TRUE(Read(shortcut.File(), &paths));

    Shortcut itemListOnly = shortcut;
    itemListOnly.flags = 0x1 | 0x10 | 0x80;
    itemListOnly.itemList = Bytes(20, 0x14);
    itemListOnly.linkInfo.clear();
    EXPECT_FALSE(Read(itemListOnly.File(), &paths));
    for (unsigned long flag : {0x100ul, 0x200ul}) { // link information ignored; a target in environment variables
        Shortcut overridden = shortcut;
        overridden.flags |= flag;
        EXPECT_FALSE(Read(overridden.File(), &paths)) << flag;
    }
    const std::u16string beyondAnsi = u"C:\\\u30c4\\Brellox.exe";
    shortcut.linkInfo = LocalLinkInfo("C:\\?\\Brellox.exe", "", &beyondAnsi);
    EXPECT_FALSE(Read(shortcut.File(), &paths)) << "a path this code page cannot name is not this copy's";
}

// Any file may lie in the Startup folder under Brellox's name: bytes cut
// short, or pointing outside themselves, are refused without a read past them.
TEST(ShellLinkFile, BytesThatEndEarlyOrPointOutsideAreRefused)
{
    Shortcut shortcut;
    shortcut.flags |= 0x4 | 0x1;
    shortcut.itemList = Bytes(6, 1);
    shortcut.name = u"Brellox";
    shortcut.linkInfo = LocalLinkInfo("C:\\Tools\\", "Brellox.exe");
    const Bytes whole = shortcut.File();
    ShellLinkPaths paths;
    ASSERT_TRUE(Read(whole, &paths));
    const size_t extraData = 4;
    for (size_t size = 0; size < whole.size() - extraData; ++size) {
        const Bytes cut(whole.begin(), whole.begin() + static_cast<long>(size));
        EXPECT_FALSE(Read(cut, &paths)) << size << " of " << whole.size() << " bytes";
    }

    Bytes notALink = whole;
    notALink[4] ^= 1;
    EXPECT_FALSE(Read(notALink, &paths)) << "another class of file";
    Bytes longHeader = whole;
    longHeader[0] = 0x50;
    EXPECT_FALSE(Read(longHeader, &paths));

    const size_t infoAt = 0x4C + 2 + shortcut.itemList.size();
    const size_t fields[] = {0x10, 0x18}; // the base path's offset, the suffix's
    for (size_t field : fields) {
        Bytes outside = whole;
        outside[infoAt + field] = 0xF0;
        outside[infoAt + field + 1] = 0xFF;
        EXPECT_FALSE(Read(outside, &paths)) << "field " << field;
    }
    Bytes unterminated = whole;
    const size_t infoSize = shortcut.linkInfo.size();
    unterminated[infoAt + infoSize - 1] = 'e';
    EXPECT_FALSE(Read(unterminated, &paths)) << "a suffix without its end inside the link information";
    Shortcut deep = shortcut;
    deep.linkInfo = LocalLinkInfo("C:\\" + std::string(MAX_PATH - 4, 'a'), "");
    EXPECT_TRUE(Read(deep.File(), &paths)) << "the longest path";
    EXPECT_EQ(static_cast<size_t>(MAX_PATH - 1), strlen(paths.target));
    deep.linkInfo = LocalLinkInfo("C:\\" + std::string(MAX_PATH - 3, 'a'), "");
    EXPECT_FALSE(Read(deep.File(), &paths)) << "a target longer than a path";

    Shortcut network = shortcut;
    network.linkInfo = NetworkLinkInfo("\\\\server\\tools", "Z:", "Brellox.exe");
    const size_t networkLinkAt = infoAt + 0x1C;
    Bytes longNetworkLink = network.File();
    ASSERT_TRUE(Read(longNetworkLink, &paths));
    longNetworkLink[networkLinkAt] = 0xFF;
    EXPECT_FALSE(Read(longNetworkLink, &paths)) << "a network link larger than the link information";
}

} // namespace
