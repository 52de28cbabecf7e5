// Process-wide state that only the Win32 side of the program has, and the
// program's start and end.
#ifndef BRELLOX_APP_WIN32_H
#define BRELLOX_APP_WIN32_H

#include "../platform/platform.h"
#include "hotkey.h"
#include "state.h"

#define BRELLOX_CLASS_NAME "CBrellox"

extern HINSTANCE g_hInstance;
extern HMODULE g_hUser32;
extern SetLayeredWindowAttributesProc g_pfnSetLayeredWindowAttributes;
// Systems before Windows 10 lack it; icon spacing then has one scale.
extern GetSystemMetricsForDpiProc g_pfnGetSystemMetricsForDpi;
extern HBRUSH g_hBarBrush;
// Each edge's cursor, loaded the first time the pointer moves over such a bar
// and kept for the run, so nothing is loaded again per mouse move; loaded
// again, the old one destroyed, only where a monitor of another scale wants
// another size.
extern HCURSOR g_hEdgeCursor[EDGE_COUNT];
extern int g_EdgeCursorSize[EDGE_COUNT];
// The common controls, loaded when the options dialog first opens and kept for
// the run. Loaded at start they would cost more memory than the rest of Brellox;
// loaded afresh for each dialog they would leave a little behind each time.
extern HMODULE g_hCommonControls;
// The desktop window manager's library, loaded the first time a sweep asks
// whether a window is cloaked, and kept for the run.
extern HMODULE g_hDwmApi;
extern DwmGetWindowAttributeProc g_pfnDwmGetWindowAttribute;
// Whether the settings' hot key is registered on the owner window.
extern bool g_HotkeyRegistered;
// The copy this one asked to end at start, until the hot key is registered:
// the key is free once that copy has ended.
extern HANDLE g_hReplacedCopy;

// Why a save did not reach the settings file.
struct SaveFailure {
    char path[MAX_PATH]; // the file; empty when the current directory is too long to name it
    DWORD error;         // the system's error for the write that failed; 0 when there was none
};

// Reads the settings file into the record and shows the bars by it: the
// start-up's load.
void LoadSettings();
// The load after OK or a display change: the settings file, or, while the last
// save could not write it, the record OK confirmed, brought to what a save and
// a reload of it would leave. The bars are shown by it without activating any.
void ReloadSettings();
// Writes the record to the settings file. Returns false, saying why in failure,
// when the file cannot be named or a write fails; the record then stays what
// reloads read until a save succeeds.
bool SaveSettings(SaveFailure *failure);
// Reads the Hotkey key of the settings file.
void ReadHotkeyFromFile(HotkeySetting *setting);

// Registers the settings' hot key, once, at the end of start-up; a value that
// cannot be used, or a key another program holds, is told in a message box,
// and Brellox runs on without a hot key. A key the replaced copy still holds
// is registered once that copy has ended, by HotkeyRetry's timer.
void StartHotkey();
VOID CALLBACK HotkeyRetry(HWND hwnd, UINT message, UINT_PTR id, DWORD time);
const UINT_PTR TIMER_HOTKEY_RETRY = 19;
// The hot key pressed: puts everything back while an open stands, otherwise
// opens the first enabled bar of the monitor under the pointer.
void HotkeyPressed();
void EndHotkey();
const int HOTKEY_ID = 1;

// Asks a running copy to end; does not wait for it, but keeps it in
// g_hReplacedCopy for the hot key.
void ReplaceRunningCopy();
// Everything from registering the class to the bars in place at rest. Returns
// false, before any window exists, when the class cannot be registered.
bool StartBrellox(HINSTANCE instance, HINSTANCE previousInstance);
// Runs until a quit is posted and returns the exit code.
int RunMessageLoop();
// After a change of the display's size: puts back every pushed window, then
// brings the settings' ranges and the bars to the new size, as a fresh start
// at that size would have them (from the settings OK confirmed, where they
// could not be saved).
// A display message after which the monitors are exactly as before changes
// nothing: an open strip stays open. Monitors just woken or docked may report
// a passing state, so they are read again two seconds later.
void FollowDisplay();
VOID CALLBACK DisplaySettled(HWND hwnd, UINT message, UINT_PTR id, DWORD time);
const UINT_PTR TIMER_DISPLAY_SETTLED = 18;
// Posted to the owner window when a monitor's scale changed.
const UINT WM_FOLLOW_DISPLAY = WM_APP + 2;
// Lets go of everything start-up took: at the end of the loop, and at the end
// of the session, after which the loop may never end. Twice is once.
void EndBrellox();

#endif
