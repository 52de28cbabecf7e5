#include "bar_menu_win32.h"

#include "../core/language_win32.h"
#include "../core/state_win32.h"
#include "../res/resource.h"
#include "bar_geometry.h"

namespace {

// How the menu lies against its point on each edge's bar: into the screen.
const UINT kAtBarAlignment[EDGE_COUNT] = {TPM_LEFTALIGN | TPM_VCENTERALIGN, TPM_RIGHTALIGN | TPM_VCENTERALIGN,
                                          TPM_CENTERALIGN | TPM_TOPALIGN, TPM_CENTERALIGN | TPM_BOTTOMALIGN};

int RunBarMenu(HWND hwnd, POINT at, UINT alignment, bool startsWithWindows)
{
    const WORD menuId = UserLanguageIsJapanese(64) ? IDM_BAR_JA : IDM_BAR_EN;
    HMENU menu = LoadMenuA(g_hInstance, MAKEINTRESOURCEA(menuId));
    if (startsWithWindows)
        CheckMenuItem(menu, IDM_START_WITH_WINDOWS, MF_BYCOMMAND | MF_CHECKED);
    const int command = TrackPopupMenu(GetSubMenu(menu, 0), TPM_RETURNCMD | alignment, at.x, at.y, 0, hwnd, NULL);
    DestroyMenu(menu);
    return command;
}

} // namespace

int RunBarMenuAtRelease(HWND hwnd, LPARAM lParam, bool startsWithWindows)
{
    POINT point = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    ClientToScreen(hwnd, &point);
    return RunBarMenu(hwnd, point, TPM_VCENTERALIGN, startsWithWindows);
}

int RunBarMenuAtBar(int bar, bool startsWithWindows)
{
    HWND hwnd = g_EdgeBarSet.hwndBar[bar];
    RECT rect = {};
    GetWindowRect(hwnd, &rect);
    POINT pointer = {};
    GetCursorPos(&pointer);
    const Edge edge = BarEdge(bar);
    return RunBarMenu(hwnd, KeyMenuPoint(edge, rect, pointer), kAtBarAlignment[edge], startsWithWindows);
}
