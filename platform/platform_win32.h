// The window-system interface the Win32 side of the program is written against:
// the Win32 headers, plus the few declarations they do not give us.
#ifndef BRELLOX_PLATFORM_WIN32_H
#define BRELLOX_PLATFORM_WIN32_H

#include "platform_types.h"

#include <commctrl.h>
#include <commdlg.h>

// Looked up at run time in user32.dll; systems without layered windows lack it.
typedef BOOL(WINAPI *SetLayeredWindowAttributesProc)(HWND hwnd, COLORREF key, BYTE alpha, DWORD flags);
// Looked up in imm32.dll, which the import table need not name for one call.
typedef BOOL(WINAPI *ImmDisableImeProc)(DWORD threadId);
// Looked up in comctl32.dll and comdlg32.dll, which are loaded only once the
// options dialog and the colour picker are wanted.
typedef BOOL(WINAPI *InitCommonControlsExProc)(const INITCOMMONCONTROLSEX *init);
typedef BOOL(WINAPI *ChooseColorProc)(CHOOSECOLORA *choose);
// Looked up in dwmapi.dll, which is loaded only once a sweep needs it.
typedef HRESULT(WINAPI *DwmGetWindowAttributeProc)(HWND hwnd, DWORD attribute, void *value, DWORD size);
// Looked up in shcore.dll (Windows 8.1 on) while the monitors are read, and
// in user32.dll (Windows 10 on): each monitor's own scale.
typedef HRESULT(WINAPI *GetDpiForMonitorProc)(HMONITOR monitor, int dpiType, UINT *dpiX, UINT *dpiY);
typedef int(WINAPI *GetSystemMetricsForDpiProc)(int index, UINT dpi);
// Looked up in ole32.dll and shell32.dll, which are loaded only while the
// shortcut that starts Brellox with Windows is read or changed.
typedef HRESULT(WINAPI *CoInitializeExProc)(void *reserved, DWORD model);
typedef void(WINAPI *CoUninitializeProc)();
typedef HRESULT(WINAPI *CoCreateInstanceProc)(const GUID &classId, void *outer, DWORD context, const GUID &interfaceId,
                                              void **object);
typedef HRESULT(WINAPI *SHGetFolderPathProc)(HWND owner, int folder, HANDLE token, DWORD flags, char *path);

// Looked up in kernel32.dll, which has it from Windows Vista on.
typedef BOOL(WINAPI *QueryFullProcessImageNameProc)(HANDLE process, DWORD flags, char *name, DWORD *size);

// Sent to a window whose monitor's scale changed; older headers lack it.
#ifndef WM_DPICHANGED
#define WM_DPICHANGED 0x02E0
#endif

// A hot key held down reports once; headers for systems before Windows 7 lack it.
#ifndef MOD_NOREPEAT
#define MOD_NOREPEAT 0x4000
#endif

// The right to ask a process for its program's name; headers for systems
// before Vista lack it.
#ifndef PROCESS_QUERY_LIMITED_INFORMATION
#define PROCESS_QUERY_LIMITED_INFORMATION 0x1000
#endif

#endif
