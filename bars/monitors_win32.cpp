#include "monitors_win32.h"

#include "../platform/libraries_win32.h"

namespace {

// MDT_EFFECTIVE_DPI: the scale the user chose for the monitor.
const int kEffectiveDpi = 0;

struct MonitorReading {
    MonitorLayout *layout;
    GetDpiForMonitorProc pfnGetDpiForMonitor; // NULL before Windows 8.1
    int systemDpi;
};

BOOL CALLBACK AddEachMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM context)
{
    MonitorReading &reading = *reinterpret_cast<MonitorReading *>(context);
    MONITORINFOEXA info = {};
    info.cbSize = sizeof(info);
    if (!GetMonitorInfoA(monitor, &info))
        return TRUE;
    UINT dpiX = 0;
    UINT dpiY = 0;
    int dpi = reading.systemDpi;
    if (reading.pfnGetDpiForMonitor != NULL &&
        reading.pfnGetDpiForMonitor(monitor, kEffectiveDpi, &dpiX, &dpiY) == S_OK)
        dpi = static_cast<int>(dpiX);
    AddMonitor(reading.layout, info.rcMonitor, dpi, (info.dwFlags & MONITORINFOF_PRIMARY) != 0, info.szDevice);
    return TRUE;
}

} // namespace

MonitorLayout ReadMonitorLayout()
{
    MonitorLayout layout = {};
    HDC screen = GetDC(NULL);
    MonitorReading reading = {&layout, NULL, screen != NULL ? GetDeviceCaps(screen, LOGPIXELSX) : 96};
    if (screen != NULL)
        ReleaseDC(NULL, screen);
    reading.pfnGetDpiForMonitor = LoadShcore();
    EnumDisplayMonitors(NULL, NULL, AddEachMonitor, reinterpret_cast<LPARAM>(&reading));
    ReleaseShcore();
    if (layout.count == 0) {
        const ScreenSize screen = {GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
        layout = SingleScreenLayout(screen);
        layout.monitor[0].dpi = reading.systemDpi;
    }
    return layout;
}
