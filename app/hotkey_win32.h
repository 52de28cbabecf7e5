// The settings' hot key: registered once at start-up on the owner window, and
// what a press of it does.
#ifndef BRELLOX_HOTKEY_WIN32_H
#define BRELLOX_HOTKEY_WIN32_H

#include "../platform/platform_win32.h"

// Registers the settings' hot key, once, at the end of start-up; a value that
// cannot be used, or a key another program holds, is told in a message box,
// and Brellox runs on without a hot key. A key the replaced copy (its process,
// or NULL; taken over here) still holds is registered once that copy has
// ended, by HotkeyRetry's timer.
void StartHotkey(HANDLE replacedCopy);
VOID CALLBACK HotkeyRetry(HWND hwnd, UINT message, UINT_PTR id, DWORD time);
// The hot key pressed: puts everything back while an open stands, otherwise
// opens the first enabled bar of the monitor under the pointer, unless a
// full-screen program is in front there.
void HotkeyPressed();
void EndHotkey();

#endif
