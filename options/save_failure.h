// What the options dialog's OK tells the user when the settings file cannot be
// written. Nothing here needs the window system.
#ifndef BRELLOX_SAVE_FAILURE_H
#define BRELLOX_SAVE_FAILURE_H

#include "../platform/platform_types.h"

// Why a save did not reach the settings file.
struct SaveFailure {
    char path[MAX_PATH]; // the file; empty when the current directory is too long to name it
    DWORD error;         // the system's error for the write that failed; 0 when there was none
};

// Whether a byte of the ANSI code page starts a two-byte character.
typedef bool (*LeadByteTest)(unsigned char byte);

// Writes into text, within size bytes and always terminated, the message for a
// save that could not write the settings file: in Japanese (code page 932) or
// English; naming path, or saying that no path could be formed when path is
// empty; with reason, the system's text for error, or error's number alone when
// reason is empty; and that the settings apply until Brellox ends. A path or
// reason too long for the room is cut on a whole character and ends in "...".
void FormatSaveFailure(bool japanese, const char *path, const char *reason, DWORD error, LeadByteTest isLeadByte,
                       char *text, size_t size);

#endif
