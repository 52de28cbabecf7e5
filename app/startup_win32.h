// Start-up, the message loop, and what is let go of at the end.
#ifndef BRELLOX_STARTUP_WIN32_H
#define BRELLOX_STARTUP_WIN32_H

#include "../platform/platform_win32.h"

// Asks a running copy to end and does not wait for it. Returns that copy's
// process (NULL when none ran, or it is this one): its hot key is free once it
// has ended.
HANDLE ReplaceRunningCopy();
// Everything from registering the class to the bars in place at rest and the
// hot key. Returns false, before any window exists, when the class cannot be
// registered. replacedCopy is what ReplaceRunningCopy returned; start-up takes
// it over.
bool StartBrellox(HINSTANCE instance, HINSTANCE previousInstance, HANDLE replacedCopy);
// Runs until a quit is posted and returns the exit code.
int RunMessageLoop();
// Lets go of everything start-up took: at the end of the loop, and at the end
// of the session, after which the loop may never end. Twice is once.
void EndBrellox();

#endif
