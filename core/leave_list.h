// The settings' Leave list: the program file names and window class names
// whose windows no sweep pushes. Read and parsed here without the window
// system; the sweeps look each window up in it.
#ifndef BRELLOX_LEAVE_LIST_H
#define BRELLOX_LEAVE_LIST_H

#include "../platform/platform_types.h"
#include "settings.h"

// The longest value read; a longer one is refused whole, as the reader would
// have cut it (and perhaps a name with it). The buffer has room for one
// character more, which tells a cut value from one that just fits.
enum { LEAVE_VALUE_LONGEST = 1023, LEAVE_BUFFER = LEAVE_VALUE_LONGEST + 2 };

// The lead bytes of the ANSI code page's double-byte characters, as pairs of
// first and last byte ended by a pair of zeros, as GetCPInfo gives them (at
// most five pairs). All zeros for a single-byte code page.
struct LeadBytes {
    BYTE ranges[12];
};

struct LeaveList {
    // The names one after another, each ended by '\0', without the blanks
    // around them.
    char names[LEAVE_BUFFER];
    int count;
    LeadBytes lead;
};

// Parses names separated by commas. Spaces and tabs around a name are
// dropped, and empty names skipped; text longer than LEAVE_VALUE_LONGEST is
// cut there.
void ParseLeaveList(const char *text, const LeadBytes &lead, LeaveList *list);

// Reads the Leave key: absent or empty, the list is empty. Returns false, with
// an empty list, when the value is longer than LEAVE_VALUE_LONGEST.
bool ReadLeaveList(const SettingsSource *source, const LeadBytes &lead, LeaveList *list);

// Whether the list holds that name. Only ASCII letters compare without regard
// to case: a byte that follows a lead byte is the second half of a
// double-byte character (in code page 932 it may have the value of an ASCII
// letter) and compares exactly, as do all other bytes.
bool LeaveListNames(const LeaveList &list, const char *name);

// Whether the list holds the file name part of that program path (after its
// last '\' or '/', neither of which counts as one where it is the second half
// of a double-byte character).
bool LeaveListNamesProgram(const LeaveList &list, const char *imagePath);

#endif
