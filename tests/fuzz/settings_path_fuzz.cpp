// BuildSettingsPath with any directory text and any buffer size: it writes only
// inside the buffer, and gives the whole name or an empty one.
//
// Input: the first line is the buffer size in bytes (a number, wrapping at 32
// bits); the rest of the input is the directory, up to its first NUL.
#include "core/settings.h"
#include "fuzz_support.h"

#include <string.h>

#include <string>

namespace {

const char kFileName[] = "\\Brellox.ini";
const char kUntouched = '\x5a';

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const std::string_view all(reinterpret_cast<const char *>(data), size);
    const size_t newline = all.find('\n');
    std::string_view first = all.substr(0, newline);
    const unsigned bufferSize = static_cast<uint32_t>(TakeNumber(first));
    const std::string directory = CString(newline == std::string_view::npos ? "" : all.substr(newline + 1));
    const std::string whole = directory + kFileName;

    // Never more than the size given; a buffer larger than the whole name needs
    // only a little room past it for a stray write to land in.
    const size_t room = whole.size() + 64;
    const size_t allocated = bufferSize < room ? bufferSize : room;
    char *path = new char[allocated];
    memset(path, kUntouched, allocated);

    const bool built = BuildSettingsPath(directory.c_str(), path, bufferSize);
    FUZZ_CHECK(built == (whole.size() + 1 <= bufferSize));
    if (built) {
        FUZZ_CHECK(path == whole);
        for (size_t i = whole.size() + 1; i < allocated; ++i)
            FUZZ_CHECK(path[i] == kUntouched);
    } else if (bufferSize > 0) {
        FUZZ_CHECK(path[0] == '\0');
        for (size_t i = 1; i < allocated; ++i)
            FUZZ_CHECK(path[i] == kUntouched);
    }
    delete[] path;
    return 0;
}
