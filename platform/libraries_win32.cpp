#include "libraries_win32.h"

#include <shlobj.h>

namespace {

// A library's entry point as the type the caller calls it by.
template <typename Proc> Proc EntryPoint(HMODULE library, const char *name)
{
    return reinterpret_cast<Proc>(reinterpret_cast<void (*)()>(GetProcAddress(library, name)));
}

HMODULE g_hUser32;
SetLayeredWindowAttributesProc g_pfnSetLayeredWindowAttributes;
GetSystemMetricsForDpiProc g_pfnGetSystemMetricsForDpi;

HMODULE g_hCommonControls;

HMODULE g_hDwmApi;
DwmGetWindowAttributeProc g_pfnDwmGetWindowAttribute;

HMODULE g_hShcore;

bool g_KernelEntriesLookedUp;
QueryFullProcessImageNameProc g_pfnQueryFullProcessImageName;

HMODULE g_hOle32;
CoUninitializeProc g_pfnCoUninitialize;
CoCreateInstanceProc g_pfnCoCreateInstance;

// DWMWA_CLOAKED, which the Windows headers give only with the window
// manager's own header.
const DWORD kDwmCloaked = 14;

} // namespace

void LoadUser32Entries()
{
    g_hUser32 = LoadLibraryA("user32.dll");
    if (g_hUser32 == NULL)
        return;
    g_pfnSetLayeredWindowAttributes =
        EntryPoint<SetLayeredWindowAttributesProc>(g_hUser32, "SetLayeredWindowAttributes");
    g_pfnGetSystemMetricsForDpi = EntryPoint<GetSystemMetricsForDpiProc>(g_hUser32, "GetSystemMetricsForDpi");
}

void ReleaseUser32Entries()
{
    g_pfnSetLayeredWindowAttributes = NULL;
    g_pfnGetSystemMetricsForDpi = NULL;
    if (g_hUser32 != NULL)
        FreeLibrary(g_hUser32);
    g_hUser32 = NULL;
}

SetLayeredWindowAttributesProc LayeredWindowAttributes()
{
    return g_pfnSetLayeredWindowAttributes;
}

int IconSpacing(int dpi)
{
    if (g_pfnGetSystemMetricsForDpi != NULL && dpi > 0)
        return g_pfnGetSystemMetricsForDpi(SM_CXICONSPACING, static_cast<UINT>(dpi));
    return GetSystemMetrics(SM_CXICONSPACING);
}

bool LoadCommonControls()
{
    if (g_hCommonControls != NULL)
        return true;
    g_hCommonControls = LoadLibraryA("comctl32.dll");
    if (g_hCommonControls == NULL)
        return false;
    const InitCommonControlsExProc pfnInitCommonControlsEx =
        EntryPoint<InitCommonControlsExProc>(g_hCommonControls, "InitCommonControlsEx");
    const INITCOMMONCONTROLSEX init = {sizeof(init), ICC_UPDOWN_CLASS};
    if (pfnInitCommonControlsEx != NULL)
        pfnInitCommonControlsEx(&init);
    return true;
}

void ReleaseCommonControls()
{
    if (g_hCommonControls != NULL)
        FreeLibrary(g_hCommonControls);
    g_hCommonControls = NULL;
}

bool LoadDwmApi()
{
    if (g_hDwmApi != NULL)
        return true;
    g_hDwmApi = LoadLibraryA("dwmapi.dll");
    if (g_hDwmApi == NULL)
        return false;
    g_pfnDwmGetWindowAttribute = EntryPoint<DwmGetWindowAttributeProc>(g_hDwmApi, "DwmGetWindowAttribute");
    return true;
}

void ReleaseDwmApi()
{
    g_pfnDwmGetWindowAttribute = NULL;
    if (g_hDwmApi != NULL)
        FreeLibrary(g_hDwmApi);
    g_hDwmApi = NULL;
}

bool WindowCloaked(HWND hwnd)
{
    DWORD cloaked = 0;
    return LoadDwmApi() && g_pfnDwmGetWindowAttribute != NULL &&
           g_pfnDwmGetWindowAttribute(hwnd, kDwmCloaked, &cloaked, sizeof(cloaked)) == S_OK && cloaked != 0;
}

bool ProcessImagePath(DWORD processId, char *path, DWORD size)
{
    if (!g_KernelEntriesLookedUp) {
        g_KernelEntriesLookedUp = true;
        g_pfnQueryFullProcessImageName =
            EntryPoint<QueryFullProcessImageNameProc>(GetModuleHandleA("kernel32.dll"), "QueryFullProcessImageNameA");
    }
    if (g_pfnQueryFullProcessImageName == NULL)
        return false;
    HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId);
    if (process == NULL)
        return false;
    DWORD length = size;
    const bool read = g_pfnQueryFullProcessImageName(process, 0, path, &length) != FALSE;
    CloseHandle(process);
    return read;
}

GetDpiForMonitorProc LoadShcore()
{
    g_hShcore = LoadLibraryA("shcore.dll");
    return g_hShcore != NULL ? EntryPoint<GetDpiForMonitorProc>(g_hShcore, "GetDpiForMonitor") : NULL;
}

void ReleaseShcore()
{
    if (g_hShcore != NULL)
        FreeLibrary(g_hShcore);
    g_hShcore = NULL;
}

bool LoadShellLinks()
{
    g_hOle32 = LoadLibraryA("ole32.dll");
    if (g_hOle32 != NULL) {
        const CoInitializeExProc pfnCoInitializeEx = EntryPoint<CoInitializeExProc>(g_hOle32, "CoInitializeEx");
        g_pfnCoUninitialize = EntryPoint<CoUninitializeProc>(g_hOle32, "CoUninitialize");
        g_pfnCoCreateInstance = EntryPoint<CoCreateInstanceProc>(g_hOle32, "CoCreateInstance");
        // COM is ended only where it was started here.
        if (pfnCoInitializeEx != NULL && g_pfnCoUninitialize != NULL && g_pfnCoCreateInstance != NULL &&
            SUCCEEDED(pfnCoInitializeEx(NULL, COINIT_APARTMENTTHREADED)))
            return true;
    }
    g_pfnCoUninitialize = NULL;
    ReleaseShellLinks();
    return false;
}

void ReleaseShellLinks()
{
    if (g_pfnCoUninitialize != NULL)
        g_pfnCoUninitialize();
    g_pfnCoUninitialize = NULL;
    g_pfnCoCreateInstance = NULL;
    if (g_hOle32 != NULL)
        FreeLibrary(g_hOle32);
    g_hOle32 = NULL;
}

bool ReadStartupFolder(char path[MAX_PATH])
{
    HMODULE shell32 = LoadLibraryA("shell32.dll");
    if (shell32 == NULL)
        return false;
    const SHGetFolderPathProc pfnSHGetFolderPath = EntryPoint<SHGetFolderPathProc>(shell32, "SHGetFolderPathA");
    const bool named =
        pfnSHGetFolderPath != NULL &&
        SUCCEEDED(pfnSHGetFolderPath(NULL, CSIDL_STARTUP | CSIDL_FLAG_DONT_VERIFY, NULL, SHGFP_TYPE_CURRENT, path));
    FreeLibrary(shell32);
    return named;
}

HRESULT CreateShellLink(IShellLinkA **link)
{
    *link = NULL;
    return g_pfnCoCreateInstance != NULL ? g_pfnCoCreateInstance(CLSID_ShellLink, NULL, CLSCTX_INPROC_SERVER,
                                                                 IID_IShellLinkA, reinterpret_cast<void **>(link))
                                         : E_FAIL;
}
