// ReadShellLinkPaths with any bytes, as any file under the shortcut's name in
// the Startup folder may hold: it reads only inside them, hands the converter
// only code units inside them, and gives NUL-terminated paths within their
// buffers, a target whenever it says it read one.
//
// Input: the file's bytes, whole.
#include "app/shell_link_file.h"
#include "fuzz_support.h"

#include <string.h>

#include <vector>

namespace {

const unsigned char *g_FileStart;
const unsigned char *g_FileEnd;

// ASCII only, as a code page would turn it; units must lie in the file.
bool AsciiOnly(const unsigned char *utf16le, size_t units, char *ansi, size_t size)
{
    FUZZ_CHECK(utf16le >= g_FileStart && units <= static_cast<size_t>(g_FileEnd - utf16le) / 2);
    FUZZ_CHECK(size >= 1 && size <= MAX_PATH);
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

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    // A copy of exactly the input's size, so that a read past it is caught.
    const std::vector<unsigned char> file(data, data + size);
    g_FileStart = file.data();
    g_FileEnd = file.data() + file.size();
    ShellLinkPaths paths;
    memset(&paths, 0x5a, sizeof(paths));
    const bool read = ReadShellLinkPaths(file.data(), file.size(), AsciiOnly, &paths);
    FUZZ_CHECK(memchr(paths.target, '\0', MAX_PATH) != NULL);
    FUZZ_CHECK(memchr(paths.workingFolder, '\0', MAX_PATH) != NULL);
    if (read)
        FUZZ_CHECK(paths.target[0] != '\0');
    return 0;
}
