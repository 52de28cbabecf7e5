// Process-wide state that only the Win32 side of the program has, and the
// program's start and end.
#ifndef BRELLOX_APP_WIN32_H
#define BRELLOX_APP_WIN32_H

#include "../platform/platform.h"

#define BRELLOX_CLASS_NAME "CBrellox"

extern HINSTANCE g_hInstance;
extern HMODULE g_hUser32;
extern SetLayeredWindowAttributesProc g_pfnSetLayeredWindowAttributes;
extern HBRUSH g_hBarBrush;

void LoadSettings();
void SaveSettings();

// Asks a running copy to end; does not wait for it.
void ReplaceRunningCopy();
// Everything from registering the class to the bars in place at rest. Returns
// false, before any window exists, when the class cannot be registered.
bool StartBrellox(HINSTANCE instance, HINSTANCE previousInstance);
// Runs until a quit is posted and returns the exit code.
int RunMessageLoop();
void EndBrellox();

#endif
