// What the user is told when a file Brellox writes cannot be written: the
// settings file at the options dialog's OK, or the shortcut that starts
// Brellox with Windows. Put together from the words of the resources; nothing
// here needs the window system.
#ifndef BRELLOX_SAVE_FAILURE_H
#define BRELLOX_SAVE_FAILURE_H

#include "../platform/platform_types.h"

// Why a save did not reach its file.
struct SaveFailure {
    char path[MAX_PATH]; // the file; empty when no path could name it
    DWORD error;         // the system's error (or HRESULT) for the write that failed; 0 when there was none
};

// Whether a byte of the ANSI code page starts a two-byte character.
typedef bool (*LeadByteTest)(unsigned char byte);

// The words of the message, in the user's language, as the resources hold
// them: beforePath, the path, afterPath, a line break, the reason (or
// beforeError, the error's number and afterError), a line break, and
// closing, what it means for the user; or, without a path, noPath, a line
// break and closing.
struct SaveFailureTexts {
    const char *beforePath;
    const char *afterPath;
    const char *noPath;
    const char *beforeError;
    const char *afterError;
    const char *closing;
};

// Writes into text, within size bytes and always terminated, the message for a
// save that could not write its file: naming path, or saying that no path
// could be formed when path is empty; with reason, the system's text for
// error, or error's number alone when reason is empty (a failure's HRESULT in
// hexadecimal); and what that means. A path or reason too long for the room is
// cut on a whole character and ends in "...".
void FormatSaveFailure(const SaveFailureTexts &texts, const char *path, const char *reason, DWORD error,
                       LeadByteTest isLeadByte, char *text, size_t size);

#endif
