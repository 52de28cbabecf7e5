// The options dialog.
#ifndef BRELLOX_OPTIONS_WIN32_H
#define BRELLOX_OPTIONS_WIN32_H

#include "../platform/platform.h"

// Runs the options dialog, in Japanese or English by the user's language, and
// returns when it has ended.
void ShowOptions();

// While the dialog is up, gives the Offset spinner the bounds of the screen's
// present size, the value it shows held within them.
void FitOptionsToScreen();

INT_PTR CALLBACK OptionsDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// The language check: whether the user's language is Japanese, asked with a
// buffer of bufferSize bytes.
bool UserLanguageIsJapanese(int bufferSize);

#endif
