// The options dialog.
#ifndef BRELLOX_OPTIONS_DIALOG_WIN32_H
#define BRELLOX_OPTIONS_DIALOG_WIN32_H

#include "../core/settings.h"
#include "../platform/platform_win32.h"
#include "save_failure.h"

// What OK does with the record the dialog's values make, while the dialog is
// still up: saves, reads back and applies it.
typedef void (*ApplyChosenSettingsProc)(HWND dialog, const Settings &chosen);

// Runs the options dialog, in Japanese or English by the user's language, and
// returns when it has ended. OK with at least one edge ticked hands the chosen
// record to apply, then ends the dialog.
void ShowOptions(ApplyChosenSettingsProc apply);

// While the dialog is up, gives the Offset spinner the bounds of the screen's
// present size, the value it shows held within them.
void FitOptionsToScreen(ScreenSize screen);

// Tells the user, in the dialog's language and owned by the dialog, which file
// could not be written and why.
void ReportSaveFailure(HWND dialog, const SaveFailure &failure);

INT_PTR CALLBACK OptionsDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

#endif
