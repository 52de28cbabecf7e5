#include "startup_win32.h"

#include "../bars/bar_appearance_win32.h"
#include "../bars/bar_windows_win32.h"
#include "../bars/monitors_win32.h"
#include "../core/state_win32.h"
#include "../core/window_names.h"
#include "../platform/libraries_win32.h"
#include "../sweep/sweeps_win32.h"
#include "display_win32.h"
#include "hotkey_win32.h"
#include "leave_list_win32.h"
#include "open_cycle_win32.h"
#include "settings_file_win32.h"
#include "window_proc_win32.h"

namespace {

bool RegisterBrelloxClass(HINSTANCE instance)
{
    WNDCLASSA wc = {};
    wc.style = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS;
    wc.lpfnWndProc = BarWindowProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorA(NULL, IDC_ARROW);
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    wc.lpszClassName = BRELLOX_CLASS_NAME;
    return RegisterClassA(&wc) != 0;
}

// Brellox takes no typed text (its option fields are read-only), so it asks
// for no input method. Without this, Wine's input method code starts COM for
// the thread as soon as a bar becomes active, which maps ole32 and rpcrt4:
// 1.2 MiB of private memory under 32-bit Wine. Windows asks that this come
// before the first window; user32 keeps imm32 loaded, and with it the choice.
void DisableInputMethod()
{
    HMODULE imm = LoadLibraryA("imm32.dll");
    if (imm == NULL)
        return;
    const ImmDisableImeProc pfnImmDisableIME =
        reinterpret_cast<ImmDisableImeProc>(reinterpret_cast<void (*)()>(GetProcAddress(imm, "ImmDisableIME")));
    if (pfnImmDisableIME != NULL)
        pfnImmDisableIME(static_cast<DWORD>(-1));
    FreeLibrary(imm);
}

} // namespace

HANDLE ReplaceRunningCopy()
{
    HWND running = FindWindowA(BRELLOX_CLASS_NAME, NULL);
    if (running == NULL)
        return NULL;
    DWORD processId = 0;
    GetWindowThreadProcessId(running, &processId);
    HANDLE process = processId != GetCurrentProcessId() ? OpenProcess(SYNCHRONIZE, FALSE, processId) : NULL;
    SendMessageA(running, WM_DESTROY, 0, 0);
    return process;
}

bool StartBrellox(HINSTANCE instance, HINSTANCE previousInstance, HANDLE replacedCopy)
{
    if (previousInstance == NULL && !RegisterBrelloxClass(instance)) {
        if (replacedCopy != NULL)
            CloseHandle(replacedCopy);
        return false;
    }

    ReadScreenSize();

    g_hInstance = instance;
    LoadUser32Entries();

    ForgetMovedWindows();
    DisableInputMethod();

    // Every bar is made anew (a copy started again in one process finds the
    // handles of its last run's windows here).
    g_EdgeBarSet = EdgeBarSet();
    g_EdgeBarSet.hwndOwner =
        CreateWindowExA(0, BRELLOX_CLASS_NAME, BRELLOX_OWNER_NAME, WS_POPUP, 0, 0, 0, 0, NULL, NULL, instance, NULL);
    g_MonitorLayout = ReadMonitorLayout();
    MatchBarsToLayout();

    LoadSettings();
    // Before any message box, whose loop may let a bar open.
    const bool leaveListFits = StartLeaveList();
    ApplyBars();
    RestoreAll();
    for (HWND bar : g_EdgeBarSet.hwndBar) {
        if (bar != NULL)
            UpdateWindow(bar);
    }
    FollowFront();
    StartHotkey(replacedCopy);
    if (!leaveListFits)
        TellLeaveListTooLong();
    return true;
}

int RunMessageLoop()
{
    MSG msg;
    BOOL result;
    while ((result = GetMessageA(&msg, NULL, 0, 0)) != 0) {
        // -1 means the loop itself failed; retrying would spin forever.
        if (result == -1)
            return 1;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return static_cast<int>(msg.wParam);
}

void EndBrellox()
{
    EndHotkey();
    StopFollowingFront();
    ReleaseUser32Entries();
    ReleaseCommonControls();
    ReleaseDwmApi();
}
