#include "app_win32.h"

HINSTANCE g_hInstance;
HMODULE g_hUser32;
SetLayeredWindowAttributesProc g_pfnSetLayeredWindowAttributes;
HBRUSH g_hBarBrush;
HCURSOR g_hEdgeCursor[EDGE_COUNT];
HMODULE g_hCommonControls;
HMODULE g_hDwmApi;
DwmGetWindowAttributeProc g_pfnDwmGetWindowAttribute;
