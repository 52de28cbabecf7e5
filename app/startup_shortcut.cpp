#include "startup_shortcut.h"

#include <string.h>

namespace {

const char kShortcutName[] = "\\Brellox.lnk";

bool IsBlank(char c)
{
    return c == ' ' || c == '\t';
}

unsigned char Folded(unsigned char byte)
{
    return byte >= 'a' && byte <= 'z' ? static_cast<unsigned char>(byte - 'a' + 'A') : byte;
}

// Whether what is left of a path, from a character's start, is a lone backslash.
bool OnlyTrailingBackslash(const char *rest)
{
    return rest[0] == '\\' && rest[1] == '\0';
}

} // namespace

const char kStartWithWindowsSwitch[] = "/StartWithWindows";

bool StartupShortcutPath(const char *startupFolder, char path[MAX_PATH])
{
    const size_t folderLength = strlen(startupFolder);
    if (folderLength + sizeof(kShortcutName) > MAX_PATH) {
        path[0] = '\0';
        return false;
    }
    memcpy(path, startupFolder, folderLength);
    memcpy(path + folderLength, kShortcutName, sizeof(kShortcutName));
    return true;
}

bool SamePath(const char *a, const char *b, LeadByteTest isLeadByte)
{
    for (;;) {
        if (*a == '\0' || *b == '\0')
            return (*a == '\0' || OnlyTrailingBackslash(a)) && (*b == '\0' || OnlyTrailingBackslash(b));
        const unsigned char first = static_cast<unsigned char>(*a);
        if (isLeadByte(first) && a[1] != '\0') {
            if (a[0] != b[0] || a[1] != b[1])
                return false;
            a += 2;
            b += 2;
            continue;
        }
        if (Folded(first) != Folded(static_cast<unsigned char>(*b)))
            return false;
        ++a;
        ++b;
    }
}

bool StartsThisCopy(const char *target, const char *workingFolder, const char *exePath, const char *currentFolder,
                    LeadByteTest isLeadByte)
{
    return SamePath(target, exePath, isLeadByte) && SamePath(workingFolder, currentFolder, isLeadByte);
}

bool IsStartWithWindowsSwitch(const char *commandLine)
{
    while (IsBlank(*commandLine))
        ++commandLine;
    for (const char *expected = kStartWithWindowsSwitch; *expected != '\0'; ++expected, ++commandLine)
        if (Folded(static_cast<unsigned char>(*commandLine)) != Folded(static_cast<unsigned char>(*expected)))
            return false;
    while (IsBlank(*commandLine))
        ++commandLine;
    return *commandLine == '\0';
}
