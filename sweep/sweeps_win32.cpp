// The four edge sweeps and the restore: they gather each window's facts, ask
// SweepWindow for the verdict and carry it out.
#include "../app/app_win32.h"
#include "../bars/bar_geometry.h"
#include "moved_windows.h"
#include "sweep_win32.h"

namespace {

BOOL Sweep(Edge edge, HWND hwnd, LPARAM line)
{
    CandidateWindow candidate = {};
    candidate.hwnd = hwnd;
    candidate.visible = IsWindowVisible(hwnd) != FALSE;
    // An invisible window is left whatever its rectangle, so it is not asked for one.
    if (candidate.visible) {
        candidate.rectRead = GetWindowRect(hwnd, &candidate.rect) != FALSE;
        WINDOWPLACEMENT placement = {};
        placement.length = sizeof(placement);
        GetWindowPlacement(hwnd, &placement);
        candidate.showCmd = placement.showCmd;
        candidate.hung = IsHungAppWindow(hwnd) != FALSE;
    }
    const SweepWorld world = {g_ScreenSize, g_EdgeBarSet.hwndBar, GetDesktopWindow(), &g_MovedWindows};
    const SweepVerdict verdict = SweepWindow(edge, static_cast<LONG>(line), candidate, world);

    if (verdict.action == Realign) {
        SetWindowPos(hwnd, HWND_TOP, verdict.x, verdict.y, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
    } else if (verdict.action == RecordAndMove) {
        SetWindowPos(hwnd, HWND_TOP, verdict.x, verdict.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    return TRUE;
}

} // namespace

BOOL CALLBACK SweepLeft(HWND hwnd, LPARAM line)
{
    return Sweep(EdgeLeft, hwnd, line);
}

BOOL CALLBACK SweepRight(HWND hwnd, LPARAM line)
{
    return Sweep(EdgeRight, hwnd, line);
}

BOOL CALLBACK SweepTop(HWND hwnd, LPARAM line)
{
    return Sweep(EdgeTop, hwnd, line);
}

BOOL CALLBACK SweepBottom(HWND hwnd, LPARAM line)
{
    return Sweep(EdgeBottom, hwnd, line);
}

void RestoreAll()
{
    for (int edge = 0; edge < EDGE_COUNT; ++edge) {
        BarRect rest = RestRect(static_cast<Edge>(edge), g_ScreenSize, g_Settings.Width, g_Settings.Offset);
        SetWindowPos(g_EdgeBarSet.hwndBar[edge], HWND_TOP, rest.x, rest.y, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE);
    }

    MovedWindow entries[MOVED_WINDOW_SLOTS];
    const int count = TakeMovedWindows(&g_MovedWindows, entries);
    for (int i = 0; i < count; ++i) {
        UINT flags = SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOOWNERZORDER;
        // A window that has stopped answering gets its move posted, to be carried
        // out once it answers again, rather than holding up the restore.
        if (IsHungAppWindow(entries[i].hwnd))
            flags |= SWP_ASYNCWINDOWPOS;
        SetWindowPos(entries[i].hwnd, HWND_TOP, entries[i].savedLeft, entries[i].savedTop, 0, 0, flags);
    }

    SetTimer(g_EdgeBarSet.hwndOwner, TIMER_HOVER_POLL, 200, HoverPoll);
}
