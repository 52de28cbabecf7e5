// The settings file: "Brellox.ini" in the current directory at the moment of each
// load or save, read and written with the profile functions.
#include "app_win32.h"
#include "state.h"

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

} // namespace

void ShowBarsBySettings()
{
    const int flags[EDGE_COUNT] = {g_Settings.Left, g_Settings.Right, g_Settings.Top, g_Settings.Bottom};
    for (int edge = 0; edge < EDGE_COUNT; ++edge) {
        HWND bar = g_EdgeBarSet.hwndBar[edge];
        ShowWindow(bar, flags[edge] != 0 ? SW_SHOW : SW_HIDE);
        UpdateWindow(bar);
    }
}

void LoadSettings()
{
    char path[MAX_PATH];
    CurrentSettingsPath(path);
    SettingsSource source = {ReadProfileInt, ReadProfileText, path};
    ReadSettings(&g_Settings, g_ScreenSize, &source);
    ShowBarsBySettings();
}

void LoadSettingsInMemory()
{
    SettingsEntry entries[SETTINGS_ENTRY_COUNT];
    FormatSettings(&g_Settings, entries);
    ReadSavedEntries(&g_Settings, g_ScreenSize, entries);
    ShowBarsBySettings();
}

bool SaveSettings(SaveFailure *failure)
{
    failure->error = 0;
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
    return true;
}
