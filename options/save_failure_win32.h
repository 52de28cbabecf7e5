// What the user is told when a file Brellox writes cannot be written.
#ifndef BRELLOX_SAVE_FAILURE_WIN32_H
#define BRELLOX_SAVE_FAILURE_WIN32_H

#include "../platform/platform_win32.h"
#include "save_failure.h"

// Tells the user in a message box, in the user's language, which file could
// not be written and why, in the words of the texts wordIds names (their
// English ids, in the order of SaveFailureTexts). Owned by owner, which may be
// NULL.
void TellSaveFailure(HWND owner, const SaveFailure &failure, const unsigned wordIds[6]);

#endif
