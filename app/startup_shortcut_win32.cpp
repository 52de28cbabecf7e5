#include "startup_shortcut_win32.h"

#include <shlobj.h>

#include "../core/language_win32.h"
#include "../options/save_failure_win32.h"
#include "../platform/libraries_win32.h"
#include "../res/resource.h"
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

// The shortcut file as a shell link, read or to be written; NULL when COM
// gives none.
IPersistFile *OpenShortcut(IShellLinkA **link)
{
    IPersistFile *file = NULL;
    if (SUCCEEDED(CreateShellLink(link)) &&
        FAILED((*link)->QueryInterface(IID_IPersistFile, reinterpret_cast<void **>(&file))))
        file = NULL;
    return file;
}

void CloseShortcut(IShellLinkA *link, IPersistFile *file)
{
    if (file != NULL)
        file->Release();
    if (link != NULL)
        link->Release();
}

// Whether the shortcut at path starts this copy. Needs the shell link libraries.
bool ShortcutStartsThisCopy(const wchar_t *path, const ThisCopy &copy)
{
    IShellLinkA *link = NULL;
    IPersistFile *file = OpenShortcut(&link);
    char target[MAX_PATH] = "";
    char folder[MAX_PATH] = "";
    const bool read = file != NULL && SUCCEEDED(file->Load(path, STGM_READ)) &&
                      SUCCEEDED(link->GetPath(target, MAX_PATH, NULL, 0)) &&
                      SUCCEEDED(link->GetWorkingDirectory(folder, MAX_PATH));
    CloseShortcut(link, file);
    return read && StartsThisCopy(target, folder, copy.exe, copy.folder, IsAnsiLeadByte);
}

HRESULT WriteShortcut(const wchar_t *path, const ThisCopy &copy)
{
    IShellLinkA *link = NULL;
    IPersistFile *file = OpenShortcut(&link);
    HRESULT result = E_FAIL;
    if (file != NULL && SUCCEEDED(result = link->SetPath(copy.exe)) &&
        SUCCEEDED(result = link->SetWorkingDirectory(copy.folder)))
        result = file->Save(path, TRUE);
    CloseShortcut(link, file);
    return result;
}

// The shortcut's path in the Startup folder, in the ANSI code page and as the
// shell link takes it; false when it cannot be named.
bool NameShortcut(char path[MAX_PATH], wchar_t widePath[MAX_PATH])
{
    char folder[MAX_PATH];
    return StartupFolder(folder) && StartupShortcutPath(folder, path) &&
           MultiByteToWideChar(CP_ACP, 0, path, -1, widePath, MAX_PATH) != 0;
}

} // namespace

bool StartsWithWindows()
{
    if (!LoadShellLinks())
        return false;
    ThisCopy copy;
    ReadThisCopy(&copy);
    char path[MAX_PATH];
    wchar_t widePath[MAX_PATH];
    const bool starts = NameShortcut(path, widePath) && ShortcutStartsThisCopy(widePath, copy);
    ReleaseShellLinks();
    return starts;
}

void ToggleStartWithWindows()
{
    SaveFailure failure = {"", 0};
    bool removing = false;
    if (LoadShellLinks()) {
        ThisCopy copy;
        ReadThisCopy(&copy);
        wchar_t widePath[MAX_PATH];
        if (NameShortcut(failure.path, widePath)) {
            removing = ShortcutStartsThisCopy(widePath, copy);
            if (removing) {
                if (!DeleteFileA(failure.path) && GetLastError() != ERROR_FILE_NOT_FOUND)
                    failure.error = GetLastError();
            } else {
                // A Startup folder the user removed is made again.
                char folder[MAX_PATH];
                if (StartupFolder(folder))
                    CreateDirectoryA(folder, NULL);
                const HRESULT written = WriteShortcut(widePath, copy);
                if (FAILED(written))
                    failure.error = static_cast<DWORD>(written);
            }
        }
        ReleaseShellLinks();
    }
    if (failure.path[0] != '\0' && failure.error == 0)
        return;
    const unsigned first = removing ? IDS_SHORTCUT_REMOVE_BEFORE_PATH : IDS_SHORTCUT_MAKE_BEFORE_PATH;
    const unsigned wordIds[] = {first,    first + 1, IDS_SHORTCUT_NO_PATH, IDS_SAVE_BEFORE_ERROR, IDS_SAVE_AFTER_ERROR,
                                first + 2};
    // Owned by no window: an owner would be disabled while the box is up.
    TellSaveFailure(NULL, failure, wordIds);
}
