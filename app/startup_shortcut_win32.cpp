#include "startup_shortcut_win32.h"

#include <shlobj.h>

#include "../core/language_win32.h"
#include "../core/state_win32.h"
#include "../options/save_failure_win32.h"
#include "../platform/libraries_win32.h"
#include "../res/resource.h"
#include "shell_link_file.h"
#include "startup_shortcut.h"

namespace {

// This copy as log-on is to start it: the program, and the folder whose
// settings file it reads.
struct ThisCopy {
    char exe[MAX_PATH];
    char folder[MAX_PATH];
};

void ReadThisCopy(ThisCopy *copy)
{
    GetModuleFileNameA(NULL, copy->exe, MAX_PATH);
    if (GetCurrentDirectoryA(MAX_PATH, copy->folder) >= MAX_PATH)
        copy->folder[0] = '\0';
}

// The parts of a shortcut that name its target come first; a file's bytes
// past these are not read.
const DWORD kShortcutBytesRead = 64 * 1024;

bool Utf16ToAnsiCodePage(const unsigned char *utf16le, size_t units, char *ansi, size_t size)
{
    WCHAR wide[MAX_PATH];
    if (units > MAX_PATH || size < 2)
        return false;
    for (size_t i = 0; i < units; ++i)
        wide[i] = static_cast<WCHAR>(utf16le[2 * i] | utf16le[2 * i + 1] << 8);
    BOOL usedDefault = FALSE;
    const int written = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide, static_cast<int>(units), ansi,
                                            static_cast<int>(size - 1), NULL, &usedDefault);
    if (written <= 0 || usedDefault)
        return false;
    ansi[written] = '\0';
    return true;
}

// Whether the shortcut at path starts this copy, read from the file without
// the shell. Its bytes go to pages taken for the read and given back after,
// so a menu leaves nothing behind.
bool ShortcutStartsThisCopy(const char *path, const ThisCopy &copy)
{
    HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, NULL,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, NULL);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    unsigned char *bytes =
        static_cast<unsigned char *>(VirtualAlloc(NULL, kShortcutBytesRead, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE));
    DWORD size = 0;
    bool starts = false;
    if (bytes != NULL && ReadFile(file, bytes, kShortcutBytesRead, &size, NULL)) {
        ShellLinkPaths paths;
        starts = ReadShellLinkPaths(bytes, size, Utf16ToAnsiCodePage, &paths) &&
                 StartsThisCopy(paths.target, paths.workingFolder, copy.exe, copy.folder, IsAnsiLeadByte);
    }
    if (bytes != NULL)
        VirtualFree(bytes, 0, MEM_RELEASE);
    CloseHandle(file);
    return starts;
}

bool NameShortcut(char path[MAX_PATH])
{
    char folder[MAX_PATH];
    return ReadStartupFolder(folder) && StartupShortcutPath(folder, path);
}

// Starts this program with the switch, in this folder; the error when it
// cannot be started.
DWORD StartShortcutMaker(const ThisCopy &copy)
{
    // The program's path in quotes, a blank and the switch.
    char commandLine[MAX_PATH + 32];
    wsprintfA(commandLine, "\"%s\" %s", copy.exe, kStartWithWindowsSwitch);
    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process;
    if (!CreateProcessA(copy.exe, commandLine, NULL, NULL, FALSE, 0, NULL, NULL, &startup, &process))
        return GetLastError();
    // Its message, if it has one, comes to the front.
    AllowSetForegroundWindow(process.dwProcessId);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return 0;
}

HRESULT WriteShortcut(const char *path, const ThisCopy &copy)
{
    wchar_t widePath[MAX_PATH];
    if (MultiByteToWideChar(CP_ACP, 0, path, -1, widePath, MAX_PATH) == 0)
        return HRESULT_FROM_WIN32(GetLastError());
    IShellLinkA *link = NULL;
    IPersistFile *file = NULL;
    HRESULT result = CreateShellLink(&link);
    if (SUCCEEDED(result) &&
        SUCCEEDED(result = link->QueryInterface(IID_IPersistFile, reinterpret_cast<void **>(&file))) &&
        SUCCEEDED(result = link->SetPath(copy.exe)) && SUCCEEDED(result = link->SetWorkingDirectory(copy.folder)))
        result = file->Save(widePath, TRUE);
    if (file != NULL)
        file->Release();
    if (link != NULL)
        link->Release();
    return result;
}

void TellShortcutFailure(bool removing, const SaveFailure &failure)
{
    const unsigned first = removing ? IDS_SHORTCUT_REMOVE_BEFORE_PATH : IDS_SHORTCUT_MAKE_BEFORE_PATH;
    const unsigned wordIds[] = {first,    first + 1, IDS_SHORTCUT_NO_PATH, IDS_SAVE_BEFORE_ERROR, IDS_SAVE_AFTER_ERROR,
                                first + 2};
    // Owned by no window: an owner would be disabled while the box is up.
    TellSaveFailure(NULL, failure, wordIds);
}

} // namespace

bool StartsWithWindows()
{
    ThisCopy copy;
    ReadThisCopy(&copy);
    char path[MAX_PATH];
    return NameShortcut(path) && ShortcutStartsThisCopy(path, copy);
}

void ToggleStartWithWindows()
{
    SaveFailure failure = {"", 0};
    ThisCopy copy;
    ReadThisCopy(&copy);
    const bool named = NameShortcut(failure.path);
    const bool removing = named && ShortcutStartsThisCopy(failure.path, copy);
    if (removing) {
        if (!DeleteFileA(failure.path) && GetLastError() != ERROR_FILE_NOT_FOUND)
            failure.error = GetLastError();
    } else if (named) {
        // The shell link that writes the shortcut brings COM, whose libraries
        // may stay in a process for good: a copy started for it alone writes it.
        failure.error = StartShortcutMaker(copy);
    }
    if (named && failure.error == 0)
        return;
    TellShortcutFailure(removing, failure);
}

int MakeStartupShortcut(HINSTANCE instance)
{
    g_hInstance = instance;
    SaveFailure failure = {"", 0};
    ThisCopy copy;
    ReadThisCopy(&copy);
    if (NameShortcut(failure.path)) {
        // A Startup folder the user removed is made again.
        char folder[MAX_PATH];
        if (ReadStartupFolder(folder))
            CreateDirectoryA(folder, NULL);
        HRESULT written = E_FAIL;
        if (LoadShellLinks()) {
            written = WriteShortcut(failure.path, copy);
            ReleaseShellLinks();
        }
        if (SUCCEEDED(written))
            return 0;
        failure.error = static_cast<DWORD>(written);
    }
    TellShortcutFailure(false, failure);
    return 1;
}
