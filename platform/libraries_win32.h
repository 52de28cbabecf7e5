// The libraries and entry points Brellox looks up at run time rather than
// naming them in its import table: each is loaded and released by one pair of
// functions here, and what it holds is reached only through this file.
#ifndef BRELLOX_LIBRARIES_WIN32_H
#define BRELLOX_LIBRARIES_WIN32_H

#include "platform_win32.h"

struct IShellLinkA;

// SetLayeredWindowAttributes and GetSystemMetricsForDpi in user32.dll: looked
// up at start-up, let go of at the end. Twice released is once.
void LoadUser32Entries();
void ReleaseUser32Entries();
// NULL where the system has no layered windows (or they were let go of).
SetLayeredWindowAttributesProc LayeredWindowAttributes();
// The width of an icon cell on a monitor of that scale; systems before
// Windows 10 have one scale for all.
int IconSpacing(int dpi);

// The common controls, loaded when the options dialog first opens and kept
// for the run: loaded at start they would cost more memory than the rest of
// Brellox; loaded afresh for each dialog they would leave a little behind
// each time. False when they cannot be loaded.
bool LoadCommonControls();
void ReleaseCommonControls();

// The desktop window manager's library, loaded the first time a sweep asks
// whether a window is cloaked and kept for the run.
bool LoadDwmApi();
void ReleaseDwmApi();
// Whether the window system keeps the window out of sight (on another virtual
// desktop, or a suspended app); where the library is missing, none is.
bool WindowCloaked(HWND hwnd);

// The path of the program that runs the process, in the ANSI code page.
// False when it cannot be read, and always before Windows Vista, which lacks
// QueryFullProcessImageNameA (looked up in kernel32.dll at the first call;
// kernel32 stays loaded in every process, so there is nothing to release).
bool ProcessImagePath(DWORD processId, char *path, DWORD size);

// shcore.dll, only needed while the monitors are read, which happens at start
// and on display changes: loaded for the reading, not kept. Returns its
// GetDpiForMonitor, NULL before Windows 8.1.
GetDpiForMonitorProc LoadShcore();
void ReleaseShcore();

// ole32.dll, for the shell link that writes the shortcut starting Brellox with
// Windows: loaded, and COM started for the thread, only while the shortcut is
// written, and let go of right after. False, with nothing held, when the
// library or an entry point is missing or COM does not start. COM may keep
// what it loaded for the life of the process (Wine does), so only a copy of
// Brellox started for the shortcut alone calls these.
bool LoadShellLinks();
void ReleaseShellLinks();
// The user's Startup folder, named whether or not it exists, through
// shell32.dll loaded for the call alone; false when the system names none.
bool ReadStartupFolder(char path[MAX_PATH]);
// A new shell link object, which the caller releases.
HRESULT CreateShellLink(IShellLinkA **link);

#endif
