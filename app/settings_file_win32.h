// The settings file: "Brellox.ini" in the current directory at the moment of
// each load or save, read and written with the profile functions.
#ifndef BRELLOX_SETTINGS_FILE_WIN32_H
#define BRELLOX_SETTINGS_FILE_WIN32_H

#include "../core/leave_list.h"
#include "../options/save_failure.h"
#include "hotkey.h"

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
// Reads the Leave key of the settings file; false when it is too long to use.
bool ReadLeaveListFromFile(const LeadBytes &lead, LeaveList *list);

#endif
