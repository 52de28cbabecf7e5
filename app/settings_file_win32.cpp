#include "settings_file_win32.h"

#include "../bars/bar_appearance_win32.h"
#include "../core/state_win32.h"

namespace {

// Fills path with the settings file of the current directory. A directory too long
// for the buffer gives no path at all rather than a truncated one, which would name
// some other file.
bool CurrentSettingsPath(char path[MAX_PATH])
{
    char directory[MAX_PATH];
    DWORD length = GetCurrentDirectoryA(MAX_PATH, directory);
    path[0] = '\0';
    if (length == 0 || length >= MAX_PATH)
        return false;
    return BuildSettingsPath(directory, path, MAX_PATH);
}

int ReadProfileInt(void *context, const char *key, int defaultValue)
{
    const char *path = static_cast<const char *>(context);
    if (path[0] == '\0')
        return defaultValue;
    return static_cast<int>(GetPrivateProfileIntA(SETTINGS_SECTION, key, defaultValue, path));
}

void ReadProfileText(void *context, const char *key, const char *defaultText, char *buffer, int size)
{
    const char *path = static_cast<const char *>(context);
    if (path[0] == '\0') {
        lstrcpynA(buffer, defaultText, size);
        return;
    }
    GetPrivateProfileStringA(SETTINGS_SECTION, key, defaultText, buffer, static_cast<DWORD>(size), path);
}

// The record OK confirmed when it could not be saved. Until a save succeeds
// it, not the old file, is what a reload reads: the user's choice holds for
// the rest of the run, a change of the display included.
bool g_Unsaved;
Settings g_UnsavedRecord;

void ReadSettingsFile()
{
    char path[MAX_PATH];
    CurrentSettingsPath(path);
    SettingsSource source = {ReadProfileInt, ReadProfileText, path};
    ReadSettings(&g_Settings, g_ScreenSize, &source);
}

} // namespace

void LoadSettings()
{
    ReadSettingsFile();
    ShowBarsBySettings(SW_SHOW);
}

void ReloadSettings()
{
    if (g_Unsaved) {
        SettingsEntry entries[SETTINGS_ENTRY_COUNT];
        FormatSettings(&g_UnsavedRecord, entries);
        ReadSavedEntries(&g_Settings, g_ScreenSize, entries);
    } else {
        ReadSettingsFile();
    }
    ShowBarsBySettings(SW_SHOWNA);
}

void ReadHotkeyFromFile(HotkeySetting *setting)
{
    char path[MAX_PATH];
    CurrentSettingsPath(path);
    SettingsSource source = {ReadProfileInt, ReadProfileText, path};
    ReadHotkeySetting(&source, setting);
}

bool ReadLeaveListFromFile(const LeadBytes &lead, LeaveList *list)
{
    char path[MAX_PATH];
    CurrentSettingsPath(path);
    SettingsSource source = {ReadProfileInt, ReadProfileText, path};
    return ReadLeaveList(&source, lead, list);
}

bool SaveSettings(SaveFailure *failure)
{
    failure->error = 0;
    g_Unsaved = true;
    g_UnsavedRecord = g_Settings;
    if (!CurrentSettingsPath(failure->path))
        return false;
    SettingsEntry entries[SETTINGS_ENTRY_COUNT];
    FormatSettings(&g_Settings, entries);
    // The first key that cannot be written ends the save: the file is then not
    // the record, whatever the keys before it wrote.
    for (const SettingsEntry &entry : entries) {
        if (!WritePrivateProfileStringA(SETTINGS_SECTION, entry.key, entry.value, failure->path)) {
            failure->error = GetLastError();
            return false;
        }
    }
    g_Unsaved = false;
    return true;
}
