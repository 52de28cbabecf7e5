// Start-up after the running copy has been asked to end, the message loop, and
// what is released at the end.
#include "../bars/bars_win32.h"
#include "../bars/monitor_layout.h"
#include "../options/options_win32.h"
#include "../sweep/moved_windows.h"
#include "../sweep/sweep_win32.h"
#include "app_win32.h"
#include "state.h"

namespace {

const char *const kBarNames[EDGE_COUNT] = {"BrelloxLeft", "BrelloxRight", "BrelloxTop", "BrelloxBottom"};

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

// Gives every outer edge of every monitor its bar and no other edge one: a bar
// is created once for its monitor's edge and kept while that edge is outer.
// New bars start hidden with zero area at their own edge; their thickness and
// whether they are seen come with the settings.
void MatchBarsToLayout()
{
    for (int bar = 0; bar < BAR_SLOTS; ++bar) {
        HWND hwnd = g_EdgeBarSet.hwndBar[bar];
        const bool wanted = BarExists(g_MonitorLayout, bar);
        if (wanted && hwnd == NULL) {
            const BarRect origin = RestRect(BarEdge(bar), g_MonitorLayout.monitor[BarMonitor(bar)].rect, 0, 0);
            g_EdgeBarSet.hwndBar[bar] =
                CreateWindowExA(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, BRELLOX_CLASS_NAME, kBarNames[BarEdge(bar)], WS_POPUP,
                                origin.x, origin.y, 0, 0, g_EdgeBarSet.hwndOwner, NULL, g_hInstance, NULL);
        } else if (!wanted && hwnd != NULL) {
            // Out of the set first: its destruction then ends nothing.
            g_EdgeBarSet.hwndBar[bar] = NULL;
            DestroyWindow(hwnd);
        }
    }
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

// Height first, as start-up has always read it.
void ReadScreenSize()
{
    g_ScreenSize.cy = GetSystemMetrics(SM_CYSCREEN);
    g_ScreenSize.cx = GetSystemMetrics(SM_CXSCREEN);
}

} // namespace

void ReplaceRunningCopy()
{
    HWND running = FindWindowA(BRELLOX_CLASS_NAME, NULL);
    if (running == NULL)
        return;
    DWORD processId = 0;
    GetWindowThreadProcessId(running, &processId);
    g_hReplacedCopy = processId != GetCurrentProcessId() ? OpenProcess(SYNCHRONIZE, FALSE, processId) : NULL;
    SendMessageA(running, WM_DESTROY, 0, 0);
}

bool StartBrellox(HINSTANCE instance, HINSTANCE previousInstance)
{
    if (previousInstance == NULL && !RegisterBrelloxClass(instance))
        return false;

    ReadScreenSize();

    g_hInstance = instance;
    g_hBarBrush = NULL;
    g_pfnSetLayeredWindowAttributes = NULL;
    g_hUser32 = LoadLibraryA("user32.dll");
    if (g_hUser32 != NULL) {
        g_pfnSetLayeredWindowAttributes = reinterpret_cast<SetLayeredWindowAttributesProc>(
            reinterpret_cast<void (*)()>(GetProcAddress(g_hUser32, "SetLayeredWindowAttributes")));
        g_pfnGetSystemMetricsForDpi = reinterpret_cast<GetSystemMetricsForDpiProc>(
            reinterpret_cast<void (*)()>(GetProcAddress(g_hUser32, "GetSystemMetricsForDpi")));
    }

    ClearMovedWindows();
    DisableInputMethod();

    // Every bar is made anew (a copy started again in one process finds the
    // handles of its last run's windows here).
    g_EdgeBarSet = EdgeBarSet();
    g_EdgeBarSet.hwndOwner =
        CreateWindowExA(0, BRELLOX_CLASS_NAME, "Brellox", WS_POPUP, 0, 0, 0, 0, NULL, NULL, instance, NULL);
    g_MonitorLayout = ReadMonitorLayout();
    MatchBarsToLayout();

    LoadSettings();
    ApplyBars();
    RestoreAll();
    for (HWND bar : g_EdgeBarSet.hwndBar) {
        if (bar != NULL)
            UpdateWindow(bar);
    }
    FollowFront();
    StartHotkey();
    return true;
}

void FollowDisplay()
{
    SetTimer(g_EdgeBarSet.hwndOwner, TIMER_DISPLAY_SETTLED, 2000, DisplaySettled);
    const MonitorLayout layout = ReadMonitorLayout();
    const ScreenSize before = g_ScreenSize;
    ReadScreenSize();
    if (SameLayout(layout, g_MonitorLayout) && before.cx == g_ScreenSize.cx && before.cy == g_ScreenSize.cy)
        return;
    // Recorded positions are the windows' own; the bars' rest and the Offset
    // rule depend on the monitors. Everything goes back while the bars are
    // still where the windows were pushed from, each window to its own
    // monitor wherever that now lies.
    EndOpensForNewLayout(g_MonitorLayout, layout);
    g_MonitorLayout = layout;
    MatchBarsToLayout();
    ReloadSettings();
    ApplyBars();
    FitBarsToFront();
    FitOptionsToScreen();
}

VOID CALLBACK DisplaySettled(HWND, UINT, UINT_PTR, DWORD)
{
    KillTimer(g_EdgeBarSet.hwndOwner, TIMER_DISPLAY_SETTLED);
    const MonitorLayout layout = ReadMonitorLayout();
    if (!SameLayout(layout, g_MonitorLayout))
        FollowDisplay();
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
    if (g_hUser32 != NULL) {
        FreeLibrary(g_hUser32);
        g_hUser32 = NULL;
        g_pfnSetLayeredWindowAttributes = NULL;
        g_pfnGetSystemMetricsForDpi = NULL;
    }
    if (g_hCommonControls != NULL) {
        FreeLibrary(g_hCommonControls);
        g_hCommonControls = NULL;
    }
    if (g_hDwmApi != NULL) {
        FreeLibrary(g_hDwmApi);
        g_hDwmApi = NULL;
        g_pfnDwmGetWindowAttribute = NULL;
    }
}
