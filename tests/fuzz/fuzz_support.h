// What the fuzz targets share: property checks that keep the failing input, the
// input read as lines of text (so that seeds stay readable and the dictionary of
// extreme numbers applies), and reference conversions taken from the C library.
#ifndef BRELLOX_FUZZ_SUPPORT_H
#define BRELLOX_FUZZ_SUPPORT_H

#include "core/edges.h"
#include "core/settings.h"
#include "platform/platform_types.h"

#include <errno.h>
#include <stddef.h>
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>

#include <string>
#include <string_view>

// An abort is a crash to libFuzzer: it writes the input out as a finding.
[[noreturn]] inline void PropertyFailed(const char *condition, const char *file, int line)
{
    fprintf(stderr, "%s:%d: property failed: %s\n", file, line, condition);
    abort();
}
#define FUZZ_CHECK(condition) ((condition) ? (void)0 : PropertyFailed(#condition, __FILE__, __LINE__))

// The low 32 bits of a value, as a 32-bit register holds them.
inline int32_t Wrap32(int64_t value)
{
    return static_cast<int32_t>(static_cast<uint32_t>(static_cast<uint64_t>(value)));
}

// The input split at each '\n'. A final '\n' ends the last line; no input, no lines.
class InputLines {
public:
    InputLines(const uint8_t *data, size_t size) : rest_(reinterpret_cast<const char *>(data), size) {}

    bool AtEnd() const { return rest_.empty(); }

    // The next line without its '\n'; empty once the input has run out.
    std::string_view Next()
    {
        const size_t end = rest_.find('\n');
        const std::string_view line = rest_.substr(0, end);
        rest_.remove_prefix(end == std::string_view::npos ? rest_.size() : end + 1);
        return line;
    }

private:
    std::string_view rest_;
};

// Takes the first number off text: blanks, an optional sign, decimal digits
// (wrapping at 32 bits, so "4294967298" is 2), then the rest of that word.
// No digits give 0.
inline int32_t TakeNumber(std::string_view &text)
{
    size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t'))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) {
        negative = text[i] == '-';
        ++i;
    }
    uint32_t magnitude = 0;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9')
        magnitude = magnitude * 10u + static_cast<uint32_t>(text[i++] - '0');
    while (i < text.size() && text[i] != ' ' && text[i] != '\t')
        ++i;
    text.remove_prefix(i);
    return static_cast<int32_t>(negative ? 0u - magnitude : magnitude);
}

// Runs check on each line of the input, for targets whose every line is a case
// of its own. Returns what the fuzzer's entry point returns.
template <typename Check> int CheckEachLine(const uint8_t *data, size_t size, Check check)
{
    InputLines input(data, size);
    while (!input.AtEnd())
        check(input.Next());
    return 0;
}

// Takes a number off text and reads it as an edge: any number names one.
inline Edge TakeEdge(std::string_view &text)
{
    return static_cast<Edge>(static_cast<uint32_t>(TakeNumber(text)) % EDGE_COUNT);
}

// Takes a monitor's left and top off text: the rectangle of that size there,
// its far edges wrapped to 32 bits as the window system's would be.
inline RECT TakeMonitorOfSize(std::string_view &text, ScreenSize size)
{
    const LONG left = TakeNumber(text);
    const LONG top = TakeNumber(text);
    return {left, top, Wrap32(static_cast<int64_t>(left) + size.cx), Wrap32(static_cast<int64_t>(top) + size.cy)};
}

// A number as the C library reads it from the front of text ("%d" as strtoll
// sees it), wrapped to 32 bits.
struct ReferenceNumber {
    bool found;      // false when text does not start with a number
    int32_t value;   // its low 32 bits
    const char *end; // just past its last digit
};

inline ReferenceNumber ReferenceScanNumber(const char *text)
{
    char *end = nullptr;
    errno = 0;
    const long long value = strtoll(text, &end, 10);
    if (end == text)
        return ReferenceNumber{false, 0, text};
    if (errno == 0)
        return ReferenceNumber{true, Wrap32(value), end};
    // Too long for 64 bits: the low 32 bits from nine digits at a time.
    const char *digit = text;
    while (*digit < '0' || *digit > '9')
        ++digit;
    const bool negative = digit > text && digit[-1] == '-';
    uint64_t low = 0;
    while (digit < end) {
        const std::string chunk(digit, end - digit < 9 ? static_cast<size_t>(end - digit) : 9);
        uint64_t scale = 1;
        for (size_t i = 0; i < chunk.size(); ++i)
            scale *= 10;
        low = (low * scale + strtoull(chunk.c_str(), nullptr, 10)) & 0xFFFFFFFFu;
        digit += chunk.size();
    }
    return ReferenceNumber{true, Wrap32(static_cast<int64_t>(negative ? 0 - low : low)), end};
}

// "%d,%d,%d" read with the reference scan: how many numbers, and each of them.
struct ReferenceColor {
    int count;
    ReferenceNumber number[3];
};

inline ReferenceColor ReferenceScanColor(const char *text)
{
    ReferenceColor color = {};
    const char *cursor = text;
    for (int i = 0; i < 3; ++i) {
        if (i > 0) {
            if (*cursor != ',')
                break;
            ++cursor;
        }
        color.number[i] = ReferenceScanNumber(cursor);
        if (!color.number[i].found)
            break;
        color.count = i + 1;
        cursor = color.number[i].end;
    }
    return color;
}

// A line as a C string: what the program gets from a text buffer stops at a NUL.
inline std::string CString(std::string_view line)
{
    return std::string(line.substr(0, line.find('\0')));
}

#endif
