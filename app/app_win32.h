// Process-wide state that only the Win32 side of the program has.
#ifndef BRELLOX_APP_WIN32_H
#define BRELLOX_APP_WIN32_H

#include "../platform/platform.h"

#define BRELLOX_CLASS_NAME "CBrellox"

extern HINSTANCE g_hInstance;
extern HMODULE g_hUser32;
extern SetLayeredWindowAttributesProc g_pfnSetLayeredWindowAttributes;
extern HBRUSH g_hBarBrush;

void LoadSettings();
void SaveSettings();

LRESULT CALLBACK BarWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

#endif
