// Start-up after the running copy has been asked to end, the message loop, and
// what is released at the end.
#include "../bars/bars_win32.h"
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

// Bars start hidden with zero area at their own edge; the thickness is not known
// until the settings are loaded.
void CreateBars(HINSTANCE instance)
{
    const POINT origin[EDGE_COUNT] = {{0, 0}, {g_ScreenSize.cx, 0}, {0, 0}, {0, g_ScreenSize.cy}};
    for (int edge = 0; edge < EDGE_COUNT; ++edge) {
        g_EdgeBarSet.hwndBar[edge] =
            CreateWindowExA(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, BRELLOX_CLASS_NAME, kBarNames[edge], WS_POPUP,
                            origin[edge].x, origin[edge].y, 0, 0, g_EdgeBarSet.hwndOwner, NULL, instance, NULL);
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
    if (running != NULL)
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
    }

    ClearMovedWindows();
    DisableInputMethod();

    g_EdgeBarSet.hwndOwner =
        CreateWindowExA(0, BRELLOX_CLASS_NAME, "Brellox", WS_POPUP, 0, 0, 0, 0, NULL, NULL, instance, NULL);
    CreateBars(instance);

    LoadSettings();
    ApplyBars();
    RestoreAll();
    for (HWND bar : g_EdgeBarSet.hwndBar)
        UpdateWindow(bar);
    FollowFront();
    return true;
}

void FollowDisplay()
{
    ReadScreenSize();
    // Recorded positions are the windows' own; the bars' rest and the Offset
    // rule depend on the screen.
    EndOpens();
    ReloadSettings();
    ApplyBars();
    FitBarsToFront();
    FitOptionsToScreen();
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
    StopFollowingFront();
    if (g_hUser32 != NULL)
        FreeLibrary(g_hUser32);
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
