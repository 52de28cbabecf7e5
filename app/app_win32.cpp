#include "app_win32.h"

HINSTANCE g_hInstance;
HMODULE g_hUser32;
SetLayeredWindowAttributesProc g_pfnSetLayeredWindowAttributes;
GetSystemMetricsForDpiProc g_pfnGetSystemMetricsForDpi;
HBRUSH g_hBarBrush;
HCURSOR g_hEdgeCursor[EDGE_COUNT];
int g_EdgeCursorSize[EDGE_COUNT];
HMODULE g_hCommonControls;
HMODULE g_hDwmApi;
DwmGetWindowAttributeProc g_pfnDwmGetWindowAttribute;
bool g_HotkeyRegistered;
HANDLE g_hReplacedCopy;
