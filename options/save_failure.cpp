#include "save_failure.h"

#include <string.h>

namespace {

// The message as it grows: capacity leaves room for the terminator.
struct MessageText {
    char *text;
    size_t capacity;
    size_t length;
    LeadByteTest isLeadByte;
};

// The longest start of piece, at most limit bytes, that ends on a whole
// character: a cut between the two bytes of one would leave its lead byte to
// swallow whatever follows.
size_t WholeCharacters(const MessageText *m, const char *piece, size_t length, size_t limit)
{
    size_t taken = 0;
    while (taken < length) {
        const size_t next =
            m->isLeadByte(static_cast<unsigned char>(piece[taken])) && taken + 1 < length ? taken + 2 : taken + 1;
        if (next > limit)
            break;
        taken = next;
    }
    return taken;
}

// Appends length bytes of piece, or, beyond limit or the room left, as many
// whole characters as fit before "...".
void AppendCut(MessageText *m, const char *piece, size_t length, size_t limit)
{
    const size_t left = m->capacity - m->length;
    if (limit > left)
        limit = left;
    size_t taken = length;
    size_t dots = 0;
    if (length > limit) {
        dots = limit < 3 ? limit : 3;
        taken = WholeCharacters(m, piece, length, limit - dots);
    }
    memcpy(m->text + m->length, piece, taken);
    m->length += taken;
    memset(m->text + m->length, '.', dots);
    m->length += dots;
}

void Append(MessageText *m, const char *piece)
{
    AppendCut(m, piece, strlen(piece), m->capacity);
}

// The system's texts end in a line break.
size_t TrimmedLength(const char *text)
{
    size_t length = strlen(text);
    while (length > 0 && (text[length - 1] == '\r' || text[length - 1] == '\n' || text[length - 1] == ' '))
        --length;
    return length;
}

// The error's number as the system writes it: an error code in decimal, a
// failure's HRESULT (its top bit set) in hexadecimal.
void FormatNumber(DWORD number, char text[11])
{
    const bool hresult = number >= 0x80000000u;
    const DWORD base = hresult ? 16u : 10u;
    char digits[10];
    int count = 0;
    do {
        digits[count++] = "0123456789ABCDEF"[number % base];
        number /= base;
    } while (number != 0);
    int length = 0;
    if (hresult) {
        text[length++] = '0';
        text[length++] = 'x';
    }
    while (count > 0)
        text[length++] = digits[--count];
    text[length] = '\0';
}

} // namespace

void FormatSaveFailure(const SaveFailureTexts &texts, const char *path, const char *reason, DWORD error,
                       LeadByteTest isLeadByte, char *text, size_t size)
{
    if (size == 0)
        return;
    MessageText m = {text, size - 1, 0, isLeadByte};
    if (path[0] == '\0') {
        Append(&m, texts.noPath);
        Append(&m, "\r\n");
        Append(&m, texts.closing);
        text[m.length] = '\0';
        return;
    }

    char unknown[96];
    size_t reasonLength = TrimmedLength(reason);
    if (reasonLength == 0) {
        char number[11];
        FormatNumber(error, number);
        MessageText u = {unknown, sizeof(unknown) - 1, 0, isLeadByte};
        Append(&u, texts.beforeError);
        Append(&u, number);
        Append(&u, texts.afterError);
        unknown[u.length] = '\0';
        reason = unknown;
        reasonLength = u.length;
    }

    // The message's own words always fit; the path and the reason share the
    // room left, each taking at least half of it when both are too long.
    const size_t fixed = strlen(texts.beforePath) + strlen(texts.afterPath) + strlen(texts.closing) + 4;
    const size_t room = m.capacity > fixed ? m.capacity - fixed : 0;
    const size_t pathLength = strlen(path);
    size_t pathRoom = room > reasonLength ? room - reasonLength : 0;
    if (pathRoom < room / 2)
        pathRoom = room / 2;
    if (pathRoom > pathLength)
        pathRoom = pathLength;

    Append(&m, texts.beforePath);
    AppendCut(&m, path, pathLength, pathRoom);
    Append(&m, texts.afterPath);
    Append(&m, "\r\n");
    AppendCut(&m, reason, reasonLength, room - pathRoom);
    Append(&m, "\r\n");
    Append(&m, texts.closing);
    text[m.length] = '\0';
}
