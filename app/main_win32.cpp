// Entry point: replaces a running copy, creates the owner window and the four
// bars, loads the settings and runs the message loop.
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

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previousInstance, LPSTR, int)
{
    HWND running = FindWindowA(BRELLOX_CLASS_NAME, NULL);
    if (running != NULL)
        SendMessageA(running, WM_DESTROY, 0, 0);

    if (previousInstance == NULL && !RegisterBrelloxClass(instance))
        return 0;

    g_ScreenSize.cy = GetSystemMetrics(SM_CYSCREEN);
    g_ScreenSize.cx = GetSystemMetrics(SM_CXSCREEN);

    g_hInstance = instance;
    g_hBarBrush = NULL;
    g_pfnSetLayeredWindowAttributes = NULL;
    g_hUser32 = LoadLibraryA("user32.dll");
    if (g_hUser32 != NULL) {
        g_pfnSetLayeredWindowAttributes = reinterpret_cast<SetLayeredWindowAttributesProc>(
            reinterpret_cast<void (*)()>(GetProcAddress(g_hUser32, "SetLayeredWindowAttributes")));
    }

    // TODO(#3): ClearMovedWindows() goes here, before any window exists.

    g_EdgeBarSet.hwndOwner =
        CreateWindowExA(0, BRELLOX_CLASS_NAME, "Brellox", WS_POPUP, 0, 0, 0, 0, NULL, NULL, instance, NULL);
    CreateBars(instance);

    LoadSettings();
    // TODO(#3): ApplyBars() and RestoreAll() go here, then UpdateWindow on each bar.

    MSG msg;
    BOOL result;
    while ((result = GetMessageA(&msg, NULL, 0, 0)) != 0) {
        // -1 means the loop itself failed; retrying would spin forever.
        if (result == -1) {
            msg.wParam = 1;
            break;
        }
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }

    if (g_hUser32 != NULL)
        FreeLibrary(g_hUser32);
    return static_cast<int>(msg.wParam);
}
