#include "shell_link_file.h"

#include <string.h>

namespace {

const size_t kHeaderSize = 0x4C;
const unsigned char kShellLinkClassId[16] = {0x01, 0x14, 0x02, 0x00, 0x00, 0x00, 0x00, 0x00,
                                             0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46};

// The header's link flags: which parts follow it.
const unsigned long kHasTargetItemList = 0x1;
const unsigned long kHasLinkInfo = 0x2;
const unsigned long kHasName = 0x4;
const unsigned long kHasRelativePath = 0x8;
const unsigned long kHasWorkingFolder = 0x10;
const unsigned long kIsUnicode = 0x80;
const unsigned long kForceNoLinkInfo = 0x100;
const unsigned long kHasEnvironmentPath = 0x200;

// The link information's flags, and its header size when it carries UTF-16 paths.
const unsigned long kHasLocalBasePath = 0x1;
const unsigned long kHasNetworkLink = 0x2;
const unsigned long kUnicodeInfoHeaderSize = 0x24;

// The network link's flags, and its size when it carries UTF-16 names.
const unsigned long kHasDeviceName = 0x1;
const unsigned long kUnicodeNetworkLinkStart = 0x14;

// A stretch of the file: every read below stays inside it.
struct Bytes {
    const unsigned char *data;
    size_t size;
};

bool ReadU16(Bytes bytes, size_t at, unsigned long *value)
{
    if (at > bytes.size || bytes.size - at < 2)
        return false;
    *value = bytes.data[at] | static_cast<unsigned long>(bytes.data[at + 1]) << 8;
    return true;
}

bool ReadU32(Bytes bytes, size_t at, unsigned long *value)
{
    unsigned long low = 0, high = 0;
    if (!ReadU16(bytes, at, &low) || !ReadU16(bytes, at + 2, &high))
        return false;
    *value = low | high << 16;
    return true;
}

// Appends text to what out already holds, within size bytes.
bool Append(char *out, size_t size, const char *text, size_t length)
{
    const size_t held = strlen(out);
    if (length >= size - held)
        return false;
    memcpy(out + held, text, length);
    out[held + length] = '\0';
    return true;
}

// Appends the NUL-terminated ANSI string at offset of bytes.
bool AppendAnsiAt(Bytes bytes, size_t offset, char *out, size_t size)
{
    if (offset >= bytes.size)
        return false;
    const void *end = memchr(bytes.data + offset, '\0', bytes.size - offset);
    return end != NULL && Append(out, size, reinterpret_cast<const char *>(bytes.data + offset),
                                 static_cast<const unsigned char *>(end) - (bytes.data + offset));
}

// Appends units UTF-16 code units from offset of bytes.
bool AppendUtf16(Bytes bytes, size_t offset, size_t units, Utf16ToAnsi toAnsi, char *out, size_t size)
{
    if (offset > bytes.size || (bytes.size - offset) / 2 < units)
        return false;
    const size_t held = strlen(out);
    return units == 0 || toAnsi(bytes.data + offset, units, out + held, size - held);
}

// Appends the NUL-terminated UTF-16 string at offset of bytes.
bool AppendUtf16At(Bytes bytes, size_t offset, Utf16ToAnsi toAnsi, char *out, size_t size)
{
    for (size_t units = 0;; ++units) {
        unsigned long unit = 0;
        if (!ReadU16(bytes, offset + 2 * units, &unit))
            return false;
        if (unit == 0)
            return AppendUtf16(bytes, offset, units, toAnsi, out, size);
    }
}

// Appends the string at one of two offsets read from the structure's fields:
// the UTF-16 one where the structure carries it, else the ANSI one.
bool AppendFieldString(Bytes bytes, size_t ansiField, size_t unicodeField, bool hasUnicode, Utf16ToAnsi toAnsi,
                       char *out, size_t size)
{
    unsigned long offset = 0;
    if (hasUnicode && ReadU32(bytes, unicodeField, &offset) && offset != 0)
        return AppendUtf16At(bytes, offset, toAnsi, out, size);
    return ReadU32(bytes, ansiField, &offset) && AppendAnsiAt(bytes, offset, out, size);
}

// A network target: the mapped drive where the shortcut names one, else the
// share, then a backslash and the common suffix (appended by the caller).
bool AppendNetworkLink(Bytes info, unsigned long at, Utf16ToAnsi toAnsi, char *out, size_t size)
{
    unsigned long linkSize = 0, flags = 0, nameOffset = 0;
    if (at >= info.size || !ReadU32(info, at, &linkSize) || linkSize > info.size - at ||
        !ReadU32(info, at + 4, &flags) || !ReadU32(info, at + 8, &nameOffset))
        return false;
    const Bytes link = {info.data + at, linkSize};
    const bool hasUnicode = nameOffset > kUnicodeNetworkLinkStart;
    const bool named = (flags & kHasDeviceName) != 0 ? AppendFieldString(link, 12, 0x18, hasUnicode, toAnsi, out, size)
                                                     : AppendFieldString(link, 8, 0x14, hasUnicode, toAnsi, out, size);
    return named && Append(out, size, "\\", 1);
}

bool ReadTarget(Bytes info, Utf16ToAnsi toAnsi, char *out, size_t size)
{
    unsigned long headerSize = 0, flags = 0;
    if (!ReadU32(info, 4, &headerSize) || !ReadU32(info, 8, &flags) || headerSize > info.size)
        return false;
    const bool hasUnicode = headerSize >= kUnicodeInfoHeaderSize;
    out[0] = '\0';
    bool started = false;
    if ((flags & kHasLocalBasePath) != 0) {
        started = AppendFieldString(info, 0x10, 0x1C, hasUnicode, toAnsi, out, size);
    } else if ((flags & kHasNetworkLink) != 0) {
        unsigned long linkAt = 0;
        started = ReadU32(info, 0x14, &linkAt) && AppendNetworkLink(info, linkAt, toAnsi, out, size);
    }
    return started && AppendFieldString(info, 0x18, 0x20, hasUnicode, toAnsi, out, size) && out[0] != '\0';
}

// One counted string of the string data at *at, moved past; copied into out
// when out is given.
bool ReadCountedString(Bytes bytes, size_t *at, bool unicode, Utf16ToAnsi toAnsi, char *out, size_t size)
{
    unsigned long count = 0;
    if (!ReadU16(bytes, *at, &count))
        return false;
    const size_t start = *at + 2, length = unicode ? 2 * count : count;
    if (length > bytes.size - start)
        return false;
    *at = start + length;
    if (out == NULL)
        return true;
    out[0] = '\0';
    return unicode ? AppendUtf16(bytes, start, count, toAnsi, out, size)
                   : Append(out, size, reinterpret_cast<const char *>(bytes.data + start), length);
}

bool ReadPaths(const unsigned char *file, size_t size, Utf16ToAnsi toAnsi, ShellLinkPaths *paths)
{
    const Bytes bytes = {file, size};
    unsigned long headerSize = 0, flags = 0;
    if (!ReadU32(bytes, 0, &headerSize) || headerSize != kHeaderSize || size < kHeaderSize ||
        memcmp(file + 4, kShellLinkClassId, sizeof(kShellLinkClassId)) != 0 || !ReadU32(bytes, 0x14, &flags))
        return false;
    size_t at = kHeaderSize;
    if ((flags & kHasTargetItemList) != 0) {
        unsigned long listSize = 0;
        if (!ReadU16(bytes, at, &listSize))
            return false;
        at += 2 + listSize;
    }
    // Where a shortcut names its target through environment variables, those
    // name it; a target without link information is known to the shell alone.
    if ((flags & kHasLinkInfo) == 0 || (flags & (kForceNoLinkInfo | kHasEnvironmentPath)) != 0)
        return false;
    unsigned long infoSize = 0;
    if (!ReadU32(bytes, at, &infoSize) || infoSize > size - at ||
        !ReadTarget({file + at, infoSize}, toAnsi, paths->target, MAX_PATH))
        return false;
    at += infoSize;
    const bool unicode = (flags & kIsUnicode) != 0;
    const unsigned long before[2] = {kHasName, kHasRelativePath};
    for (unsigned long part : before)
        if ((flags & part) != 0 && !ReadCountedString(bytes, &at, unicode, toAnsi, NULL, 0))
            return false;
    return (flags & kHasWorkingFolder) == 0 ||
           ReadCountedString(bytes, &at, unicode, toAnsi, paths->workingFolder, MAX_PATH);
}

} // namespace

bool ReadShellLinkPaths(const unsigned char *file, size_t size, Utf16ToAnsi toAnsi, ShellLinkPaths *paths)
{
    paths->target[0] = '\0';
    paths->workingFolder[0] = '\0';
    if (ReadPaths(file, size, toAnsi, paths))
        return true;
    // A path left half written is no path.
    paths->target[0] = '\0';
    paths->workingFolder[0] = '\0';
    return false;
}
