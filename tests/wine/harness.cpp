#include "harness.h"

#include "core/window_names.h"
#include "host_control.h"
#include "proc_files.h"

#include <algorithm>

#include <cstdio>
#include <cstdlib>
#include <utility>
#include <vector>

void PumpMessages()
{
    MSG msg;
    while (PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

bool WaitUntil(const std::function<bool()> &condition, DWORD timeoutMs, DWORD pollMs)
{
    const DWORD start = GetTickCount();
    for (;;) {
        PumpMessages();
        if (condition())
            return true;
        if (GetTickCount() - start >= timeoutMs)
            return false;
        // Wakes early for any message, so windows of this process stay responsive.
        MsgWaitForMultipleObjects(0, NULL, FALSE, pollMs, QS_ALLINPUT);
    }
}

bool HoldsFor(const std::function<bool()> &condition, DWORD ms)
{
    return !WaitUntil([&] { return !condition(); }, ms);
}

RECT RectOf(HWND hwnd)
{
    RECT rect = {};
    GetWindowRect(hwnd, &rect);
    return rect;
}

bool SameRect(const RECT &a, const RECT &b)
{
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

std::string RectText(const RECT &r)
{
    return "(" + std::to_string(r.left) + "," + std::to_string(r.top) + ")-(" + std::to_string(r.right) + "," +
           std::to_string(r.bottom) + ")";
}

std::string Joined(const std::vector<std::string> &lines)
{
    std::string text;
    for (const std::string &line : lines)
        text += line + "; ";
    return text;
}

bool WaitForRect(HWND hwnd, const RECT &expected, DWORD timeoutMs)
{
    return WaitUntil([&] { return SameRect(RectOf(hwnd), expected); }, timeoutMs);
}

static std::string ModuleDirectory()
{
    char path[MAX_PATH];
    DWORD length = GetModuleFileNameA(NULL, path, MAX_PATH);
    std::string directory(path, length);
    return directory.substr(0, directory.find_last_of("\\/"));
}

static std::string PathFromEnvironment(const char *name, const std::string &fallback)
{
    const char *value = std::getenv(name);
    return value != NULL && value[0] != '\0' ? std::string(value) : fallback;
}

std::string BrelloxExePath()
{
    // The driver sits in a folder of tests of the build folder that holds Brellox.exe.
    return PathFromEnvironment("BRELLOX_EXE", ModuleDirectory() + "\\..\\..\\Brellox.exe");
}

std::string HostExePath()
{
    return SharedProgramPath("brellox_host.exe");
}

std::string TestProgramPath(const char *fileName)
{
    return ModuleDirectory() + "\\" + fileName;
}

std::string SharedProgramPath(const char *fileName)
{
    return ModuleDirectory() + "\\..\\programs\\" + fileName;
}

HWND WaitForHostControl(DWORD processId)
{
    HWND control = NULL;
    WaitUntil([&] { return (control = FindProcessWindow(processId, HOST_CONTROL_CLASS, NULL)) != NULL; },
              kStartTimeoutMs);
    return control;
}

std::string ProductExePath()
{
    return PathFromEnvironment("BRELLOX_PRODUCT_EXE", BrelloxExePath());
}

std::string MakeScratchDirectory(const char *name)
{
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    std::string base = std::string(temp) + "brellox-tests";
    CreateDirectoryA(base.c_str(), NULL);
    for (unsigned serial = GetTickCount();; ++serial) {
        char leaf[64];
        std::snprintf(leaf, sizeof(leaf), "\\%s-%lu-%u", name, GetCurrentProcessId(), serial);
        std::string path = base + leaf;
        if (CreateDirectoryA(path.c_str(), NULL))
            return path;
    }
}

std::string MakeLongDirectory()
{
    std::string dir = MakeScratchDirectory("long");
    while (dir.size() < 240) {
        dir += "\\abcdefghij";
        CreateDirectoryA(dir.c_str(), NULL);
    }
    dir += "\\" + std::string(250 - dir.size() - 1, 'x');
    CreateDirectoryA(dir.c_str(), NULL);
    return dir;
}

void WriteTextFile(const std::string &path, const std::string &text)
{
    FILE *file = std::fopen(path.c_str(), "wb");
    if (file == NULL)
        return;
    std::fwrite(text.data(), 1, text.size(), file);
    std::fclose(file);
}

bool FileExists(const std::string &path)
{
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string ReadTextFile(const std::string &path)
{
    std::string text;
    FILE *file = std::fopen(path.c_str(), "rb");
    if (file == NULL)
        return text;
    char buffer[4096];
    size_t got;
    while ((got = std::fread(buffer, 1, sizeof(buffer), file)) > 0)
        text.append(buffer, got);
    std::fclose(file);
    return text;
}

// The Wine prefix of this session, as the Unix processes of its programs carry
// it in their environment. Returns whether this process has one.
static bool OwnWinePrefix(std::string *prefix)
{
    char value[MAX_PATH * 4];
    const DWORD length = GetEnvironmentVariableA("WINEPREFIX", value, sizeof(value));
    if (length == 0 || length >= sizeof(value))
        return false;
    prefix->assign(value, length);
    return true;
}

int UnixProcessId(const char *exeName)
{
    WIN32_FIND_DATAA entry;
    HANDLE search = FindFirstFileA("Z:\\proc\\*", &entry);
    if (search == INVALID_HANDLE_VALUE)
        return -1;
    int found = -1;
    // The kernel keeps the first 15 characters of a process's name.
    const std::string wanted = "(" + std::string(exeName).substr(0, 15) + ")";
    // Other Wine sessions may run programs of the same name at the same time,
    // each with a prefix of its own.
    std::string prefix;
    const bool hasPrefix = OwnWinePrefix(&prefix);
    do {
        if (entry.cFileName[0] < '0' || entry.cFileName[0] > '9')
            continue;
        const std::string directory = std::string("Z:\\proc\\") + entry.cFileName;
        const std::string stat = ReadTextFile(directory + "\\stat");
        const size_t open = stat.find('('), close = stat.rfind(')');
        if (open == std::string::npos || close == std::string::npos ||
            stat.compare(open, close - open + 1, wanted) != 0)
            continue;
        std::string theirs;
        if (EnvironmentValue(ReadTextFile(directory + "\\environ"), "WINEPREFIX", &theirs) == hasPrefix &&
            theirs == prefix)
            found = std::atoi(entry.cFileName);
    } while (FindNextFileA(search, &entry));
    FindClose(search);
    return found;
}

long long PrivateMemoryKiB(int unixProcessId)
{
    const std::string rollup = ReadTextFile("Z:\\proc\\" + std::to_string(unixProcessId) + "\\smaps_rollup");
    long long total = 0;
    int fields = 0;
    for (const std::string &line : Lines(rollup)) {
        long long kib = 0;
        if (std::sscanf(line.c_str(), "Private_Clean: %lld kB", &kib) == 1 ||
            std::sscanf(line.c_str(), "Private_Dirty: %lld kB", &kib) == 1) {
            total += kib;
            ++fields;
        }
    }
    return fields == 2 ? total : -1;
}

const char *RegisterTestClass(const char *name, WNDPROC proc, UINT style, HBRUSH background, HCURSOR cursor)
{
    WNDCLASSA wc = {};
    wc.style = style;
    wc.lpfnWndProc = proc;
    wc.hInstance = GetModuleHandleA(NULL);
    wc.hCursor = cursor;
    wc.hbrBackground = background;
    wc.lpszClassName = name;
    RegisterClassA(&wc);
    return name;
}

HWND CreateSampleWindow(const RECT &r, const char *title, DWORD style, int show, const char *className)
{
    static const char *const sampleClass = RegisterTestClass(
        "BrelloxSample", DefWindowProcA, 0, reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1), LoadCursorA(NULL, IDC_ARROW));
    HWND hwnd = CreateWindowExA(0, className != NULL ? className : sampleClass, title, style, r.left, r.top,
                                r.right - r.left, r.bottom - r.top, NULL, NULL, GetModuleHandleA(NULL), NULL);
    if (show != SW_HIDE)
        ShowWindow(hwnd, show);
    UpdateWindow(hwnd);
    PumpMessages();
    return hwnd;
}

std::vector<std::string> Lines(const std::string &text)
{
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        std::string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (!line.empty())
            lines.push_back(line);
        start = end + 1;
    }
    return lines;
}

COLORREF ScreenPixel(int x, int y)
{
    HDC screen = GetDC(NULL);
    COLORREF colour = GetPixel(screen, x, y);
    ReleaseDC(NULL, screen);
    return colour;
}

bool BrelloxWindows::Complete() const
{
    if (owner == NULL)
        return false;
    for (HWND bar : bars) {
        if (bar == NULL)
            return false;
    }
    return true;
}

static BOOL CALLBACK CollectProcessWindow(HWND hwnd, LPARAM lParam)
{
    auto *windows = reinterpret_cast<std::pair<DWORD, std::vector<HWND>> *>(lParam);
    DWORD processId = 0;
    GetWindowThreadProcessId(hwnd, &processId);
    if (processId == windows->first)
        windows->second.push_back(hwnd);
    return TRUE;
}

static BOOL CALLBACK AddMonitorRect(HMONITOR monitor, HDC, LPRECT, LPARAM list)
{
    MONITORINFO info = {};
    info.cbSize = sizeof(info);
    if (GetMonitorInfoA(monitor, &info))
        reinterpret_cast<std::vector<RECT> *>(list)->push_back(info.rcMonitor);
    return TRUE;
}

std::vector<RECT> MonitorsLeftToRight()
{
    std::vector<RECT> monitors;
    EnumDisplayMonitors(NULL, NULL, AddMonitorRect, reinterpret_cast<LPARAM>(&monitors));
    std::sort(monitors.begin(), monitors.end(), [](const RECT &a, const RECT &b) { return a.left < b.left; });
    return monitors;
}

std::string TextOf(HWND hwnd)
{
    std::string text(static_cast<size_t>(SendMessageA(hwnd, WM_GETTEXTLENGTH, 0, 0)) + 1, '\0');
    text.resize(static_cast<size_t>(
        SendMessageA(hwnd, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(const_cast<char *>(text.data())))));
    return text;
}

std::wstring Wide(const std::string &text)
{
    std::wstring wide(text.size() + 1, L'\0');
    wide.resize(static_cast<size_t>(MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, const_cast<wchar_t *>(wide.data()),
                                                        static_cast<int>(wide.size()))));
    if (!wide.empty())
        wide.pop_back();
    return wide;
}

std::vector<HWND> WindowsOfProcess(DWORD processId)
{
    std::pair<DWORD, std::vector<HWND>> windows(processId, {});
    EnumWindows(CollectProcessWindow, reinterpret_cast<LPARAM>(&windows));
    return windows.second;
}

bool Answers(HWND hwnd)
{
    DWORD_PTR result = 0;
    return SendMessageTimeoutA(hwnd, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 1000, &result) != 0;
}

std::string ClassOf(HWND hwnd)
{
    char name[256] = "";
    GetClassNameA(hwnd, name, sizeof(name));
    return name;
}

namespace {

BOOL CALLBACK CollectChild(HWND child, LPARAM lParam)
{
    reinterpret_cast<std::vector<HWND> *>(lParam)->push_back(child);
    return TRUE;
}

} // namespace

std::vector<HWND> ChildWindows(HWND parent)
{
    std::vector<HWND> children;
    EnumChildWindows(parent, CollectChild, reinterpret_cast<LPARAM>(&children));
    return children;
}

std::string MessageBoxText(HWND box)
{
    for (HWND child : ChildWindows(box)) {
        if (lstrcmpiA(ClassOf(child).c_str(), "Static") == 0 &&
            (GetWindowLongA(child, GWL_STYLE) & SS_TYPEMASK) != SS_ICON && !TextOf(child).empty())
            return TextOf(child);
    }
    return "";
}

std::string TitleOf(HWND hwnd)
{
    char title[256] = "";
    GetWindowTextA(hwnd, title, sizeof(title));
    return title;
}

HWND FindProcessWindow(DWORD processId, const char *className, const char *title)
{
    for (HWND hwnd : WindowsOfProcess(processId)) {
        if (ClassOf(hwnd) == className && (title == NULL || TitleOf(hwnd) == title))
            return hwnd;
    }
    return NULL;
}

BrelloxWindows FindBrelloxWindows(DWORD processId)
{
    BrelloxWindows windows;
    windows.owner = FindProcessWindow(processId, BRELLOX_CLASS_NAME, BRELLOX_OWNER_NAME);
    for (int edge = 0; edge < EDGE_COUNT; ++edge)
        windows.bars[edge] = FindProcessWindow(processId, BRELLOX_CLASS_NAME, BarName(static_cast<Edge>(edge)));
    return windows;
}

BrelloxProcess::BrelloxProcess(const std::string &directory, const std::string &exePath, const std::string &arguments)
{
    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info = {};
    std::string commandLine = "\"" + exePath + "\"" + (arguments.empty() ? "" : " " + arguments);
    std::vector<char> writable(commandLine.begin(), commandLine.end());
    writable.push_back('\0');
    if (CreateProcessA(exePath.c_str(), writable.data(), NULL, NULL, FALSE, 0, NULL, directory.c_str(), &startup,
                       &info)) {
        CloseHandle(info.hThread);
        process_ = info.hProcess;
        processId_ = info.dwProcessId;
    }
}

BrelloxProcess::~BrelloxProcess()
{
    if (process_ == NULL)
        return;
    if (Running()) {
        TerminateProcess(process_, 99);
        WaitUntil([this] { return !Running(); }, kStartTimeoutMs);
    }
    CloseHandle(process_);
}

// Whether start-up has run to its end: the bars are created at their
// monitors' far edges, and the restore that ends start-up parks the right and
// the bottom one a bar's width inside them, shown or not. The right bar found
// lies on the rightmost monitor, at the virtual screen's right edge; the
// bottom one found may lie on a shorter monitor, already within the virtual
// screen at its creation, so only the right one tells with several monitors.
static bool Parked(const BrelloxWindows &windows)
{
    const LONG right = GetSystemMetrics(SM_XVIRTUALSCREEN) + GetSystemMetrics(SM_CXVIRTUALSCREEN);
    const LONG bottom = GetSystemMetrics(SM_YVIRTUALSCREEN) + GetSystemMetrics(SM_CYVIRTUALSCREEN);
    return RectOf(windows.bars[EdgeRight]).left < right && RectOf(windows.bars[EdgeBottom]).top < bottom;
}

BrelloxWindows BrelloxProcess::WaitForWindows(DWORD timeoutMs, DWORD pollMs) const
{
    BrelloxWindows windows = {};
    const bool started = WaitUntil(
        [&] {
            windows = FindBrelloxWindows(processId_);
            return windows.Complete() && Idle() && Parked(windows);
        },
        timeoutMs, pollMs);
    return started ? windows : BrelloxWindows{};
}

bool BrelloxProcess::Idle() const
{
    return process_ != NULL && WaitForInputIdle(process_, 0) == 0;
}

bool BrelloxProcess::Running() const
{
    return process_ != NULL && WaitForSingleObject(process_, 0) == WAIT_TIMEOUT;
}

bool BrelloxProcess::WaitForExit(DWORD timeoutMs, DWORD *exitCode) const
{
    if (process_ == NULL || !WaitUntil([this] { return !Running(); }, timeoutMs))
        return false;
    GetExitCodeProcess(process_, exitCode);
    return true;
}

void EndAllBrellox()
{
    // The same request a new copy makes, repeated until no copy is left.
    WaitUntil(
        [] {
            HWND running = FindWindowA(BRELLOX_CLASS_NAME, NULL);
            if (running == NULL)
                return true;
            SendMessageTimeoutA(running, WM_DESTROY, 0, 0, SMTO_ABORTIFHUNG, 1000, NULL);
            return false;
        },
        kStartTimeoutMs);
}

bool SaveScreenshot(const std::string &path)
{
    // The rectangle around every monitor; with one monitor, the screen.
    const int left = GetSystemMetrics(SM_XVIRTUALSCREEN);
    const int top = GetSystemMetrics(SM_YVIRTUALSCREEN);
    const int width = GetSystemMetrics(SM_CXVIRTUALSCREEN);
    const int height = GetSystemMetrics(SM_CYVIRTUALSCREEN);
    HDC screen = GetDC(NULL);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    HGDIOBJ previous = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, screen, left, top, SRCCOPY);
    // What lies on no monitor (beside a shorter one) shows whatever the display
    // left there: it is filled dark grey instead, which no desktop shows.
    struct OffMonitors {
        HRGN region;
        POINT origin;
        static BOOL CALLBACK Cut(HMONITOR, HDC, LPRECT monitor, LPARAM context)
        {
            OffMonitors *off = reinterpret_cast<OffMonitors *>(context);
            HRGN cut = CreateRectRgnIndirect(monitor);
            OffsetRgn(cut, -off->origin.x, -off->origin.y);
            CombineRgn(off->region, off->region, cut, RGN_DIFF);
            DeleteObject(cut);
            return TRUE;
        }
    };
    OffMonitors off = {CreateRectRgn(0, 0, width, height), {left, top}};
    EnumDisplayMonitors(NULL, NULL, OffMonitors::Cut, reinterpret_cast<LPARAM>(&off));
    HBRUSH dark = CreateSolidBrush(RGB(0x40, 0x40, 0x40));
    FillRgn(memory, off.region, dark);
    DeleteObject(dark);
    DeleteObject(off.region);
    SelectObject(memory, previous);

    BITMAPINFOHEADER info = {};
    info.biSize = sizeof(info);
    info.biWidth = width;
    info.biHeight = height;
    info.biPlanes = 1;
    info.biBitCount = 24;
    info.biCompression = BI_RGB;
    const DWORD stride = (static_cast<DWORD>(width) * 3 + 3) & ~3u;
    std::vector<char> pixels(stride * height);
    bool ok = GetDIBits(memory, bitmap, 0, height, pixels.data(), reinterpret_cast<BITMAPINFO *>(&info),
                        DIB_RGB_COLORS) == height;
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(NULL, screen);
    if (!ok)
        return false;

    BITMAPFILEHEADER header = {};
    header.bfType = 0x4D42; // "BM"
    header.bfOffBits = sizeof(header) + sizeof(info);
    header.bfSize = header.bfOffBits + static_cast<DWORD>(pixels.size());
    FILE *file = std::fopen(path.c_str(), "wb");
    if (file == NULL)
        return false;
    ok = std::fwrite(&header, sizeof(header), 1, file) == 1 && std::fwrite(&info, sizeof(info), 1, file) == 1 &&
         std::fwrite(pixels.data(), 1, pixels.size(), file) == pixels.size();
    return std::fclose(file) == 0 && ok;
}

// The screen's size, read as this process starts. Wine reads its display
// configuration at the first such query, and once this process has started a
// Unix program (xdotool) that first read fails for good: every later query
// gives a screen of 0 x 0, and absolute input lands in the corner.
static const SIZE g_ScreenAtStart = {GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
// The monitors and the rectangle around them all, read then for the same reason.
static const int g_MonitorsAtStart = GetSystemMetrics(SM_CMONITORS);
static const RECT g_VirtualScreenAtStart = {GetSystemMetrics(SM_XVIRTUALSCREEN), GetSystemMetrics(SM_YVIRTUALSCREEN),
                                            GetSystemMetrics(SM_XVIRTUALSCREEN) + GetSystemMetrics(SM_CXVIRTUALSCREEN),
                                            GetSystemMetrics(SM_YVIRTUALSCREEN) + GetSystemMetrics(SM_CYVIRTUALSCREEN)};

// A session of several monitors runs in Xephyr without a virtual desktop,
// where Wine does not follow the pointer xdotool moves over the bare desktop
// (GetCursorPos kept the place before); there every move goes through SendInput.
static bool SeveralMonitors()
{
    return g_MonitorsAtStart > 1;
}

// Sends a mouse event placed at a point of the virtual screen, given as a
// fraction of the rectangle around all monitors as it is now.
static void SendOnVirtualScreen(POINT at, DWORD flags)
{
    RECT screen = {GetSystemMetrics(SM_XVIRTUALSCREEN), GetSystemMetrics(SM_YVIRTUALSCREEN), 0, 0};
    screen.right = screen.left + GetSystemMetrics(SM_CXVIRTUALSCREEN);
    screen.bottom = screen.top + GetSystemMetrics(SM_CYVIRTUALSCREEN);
    if (screen.right <= screen.left || screen.bottom <= screen.top)
        screen = g_VirtualScreenAtStart;
    INPUT input = {};
    input.type = INPUT_MOUSE;
    // One more than the fraction, so that rounding down still gives the pixel.
    input.mi.dx = MulDiv(at.x - screen.left, 65536, screen.right - screen.left) + 1;
    input.mi.dy = MulDiv(at.y - screen.top, 65536, screen.bottom - screen.top) + 1;
    input.mi.dwFlags = flags | MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_VIRTUALDESK;
    SendInput(1, &input, sizeof(input));
}

bool RunUnixProgram(std::string commandLine, bool waitForEnd)
{
    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info = {};
    if (!CreateProcessA(NULL, &commandLine[0], NULL, NULL, FALSE, 0, NULL, NULL, &startup, &info))
        return false;
    // For a Unix program Wine fills the handles and ids with whatever its stack
    // held, which can be handles of this process (32-bit Wine gave the one of
    // standard output): they are waited for and closed only when they are the
    // started process's own. Without them, the caller's own test of what the
    // program changes tells that it has run.
    if (info.dwProcessId != 0 && GetProcessId(info.hProcess) == info.dwProcessId &&
        GetThreadId(info.hThread) == info.dwThreadId) {
        if (waitForEnd)
            WaitUntil([&] { return WaitForSingleObject(info.hProcess, 0) != WAIT_TIMEOUT; }, kStartTimeoutMs);
        CloseHandle(info.hThread);
        CloseHandle(info.hProcess);
    }
    return true;
}

// Runs xdotool with these arguments; the caller checks where the pointer arrived.
static bool RunXdotool(const std::string &arguments)
{
    return RunUnixProgram("/usr/bin/xdotool " + arguments, true);
}

static bool PointerAt(int x, int y)
{
    return WaitUntil(
        [&] {
            POINT cursor;
            return GetCursorPos(&cursor) && cursor.x == x && cursor.y == y;
        },
        kStartTimeoutMs);
}

// Where the last move put the pointer: the place of the next button event.
static POINT g_PointerAt;

bool MovePointer(int x, int y)
{
    g_PointerAt = {x, y};
    if (SeveralMonitors()) {
        SendOnVirtualScreen(g_PointerAt, 0);
        return PointerAt(x, y);
    }
    return RunXdotool("mousemove " + std::to_string(x) + " " + std::to_string(y)) && PointerAt(x, y);
}

bool MovePointerThrough(const std::vector<POINT> &points)
{
    if (points.empty())
        return true;
    g_PointerAt = points.back();
    if (SeveralMonitors()) {
        for (const POINT &p : points) {
            SendOnVirtualScreen(p, 0);
            if (!PointerAt(p.x, p.y))
                return false;
            // As far apart as xdotool's moves, while this thread's windows answer.
            WaitUntil([] { return false; }, 10);
        }
        return true;
    }
    std::string arguments;
    for (const POINT &p : points)
        arguments += "mousemove " + std::to_string(p.x) + " " + std::to_string(p.y) + " sleep 0.01 ";
    return RunXdotool(arguments) && PointerAt(points.back().x, points.back().y);
}

bool ParkPointer()
{
    if (!SeveralMonitors())
        return MovePointer(990, 740);
    // As far from the primary monitor's bottom-right corner, whatever its size
    // and whatever lies beside it.
    SIZE primary = {GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    if (primary.cx <= 0 || primary.cy <= 0)
        primary = g_ScreenAtStart;
    return MovePointer(primary.cx - 34, primary.cy - 28);
}

// A button event placed where the last move put the pointer. Wine places input
// where its server last saw the pointer, which lags behind a move until the X
// event has been handled; and GetCursorPos gives that place, not the pointer's,
// for 100 ms after any change the server saw, such as a late X event of an
// earlier move: a click placed by it could land where the pointer was before.
static void SendButton(DWORD flag)
{
    const POINT at = g_PointerAt;
    if (SeveralMonitors()) {
        SendOnVirtualScreen(at, flag);
        return;
    }
    INPUT input = {};
    input.type = INPUT_MOUSE;
    // Absolute positions are fractions of the screen as it is now.
    SIZE screen = {GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    if (screen.cx <= 0 || screen.cy <= 0)
        screen = g_ScreenAtStart;
    input.mi.dx = MulDiv(at.x, 65536, screen.cx) + 1;
    input.mi.dy = MulDiv(at.y, 65536, screen.cy) + 1;
    input.mi.dwFlags = flag | MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    SendInput(1, &input, sizeof(input));
}

void PressButton(DWORD downFlag)
{
    SendButton(downFlag);
}

void ReleaseButton(DWORD upFlag)
{
    SendButton(upFlag);
}

void Click(int x, int y)
{
    MovePointer(x, y);
    SendButton(MOUSEEVENTF_LEFTDOWN);
    SendButton(MOUSEEVENTF_LEFTUP);
}

void DoubleClick(int x, int y)
{
    Click(x, y);
    SendButton(MOUSEEVENTF_LEFTDOWN);
    SendButton(MOUSEEVENTF_LEFTUP);
}

void PressKey(WORD virtualKey, int times)
{
    for (int i = 0; i < times; ++i) {
        INPUT input[2] = {};
        input[0].type = input[1].type = INPUT_KEYBOARD;
        input[0].ki.wVk = input[1].ki.wVk = virtualKey;
        input[1].ki.dwFlags = KEYEVENTF_KEYUP;
        SendInput(2, input, sizeof(INPUT));
    }
}

void PressChord(const std::vector<WORD> &modifiers, WORD virtualKey)
{
    std::vector<INPUT> inputs;
    const auto add = [&](WORD key, DWORD flags) {
        INPUT input = {};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = key;
        input.ki.dwFlags = flags;
        inputs.push_back(input);
    };
    for (WORD modifier : modifiers)
        add(modifier, 0);
    add(virtualKey, 0);
    add(virtualKey, KEYEVENTF_KEYUP);
    for (auto modifier = modifiers.rbegin(); modifier != modifiers.rend(); ++modifier)
        add(*modifier, KEYEVENTF_KEYUP);
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

void ClickWindow(HWND hwnd)
{
    RECT r = RectOf(hwnd);
    Click((r.left + r.right) / 2, (r.top + r.bottom) / 2);
}

// Whether the thread of the window runs the window system's move loop.
static bool InMoveLoop(HWND window)
{
    GUITHREADINFO info = {};
    info.cbSize = sizeof(info);
    return GetGUIThreadInfo(GetWindowThreadProcessId(window, NULL), &info) && (info.flags & GUI_INMOVESIZE) != 0;
}

bool PressToDrag(HWND window, int x, int y)
{
    if (!MovePointer(x, y))
        return false;
    PressButton(MOUSEEVENTF_LEFTDOWN);
    return WaitUntil([&] { return InMoveLoop(window); }, kStartTimeoutMs);
}

bool ReleaseDrag(HWND window)
{
    ReleaseButton(MOUSEEVENTF_LEFTUP);
    return WaitUntil([&] { return !InMoveLoop(window); }, kStartTimeoutMs);
}

bool DragFromWindowTo(HWND source, int x, int y)
{
    const RECT r = RectOf(source);
    if (!MovePointer((r.left + r.right) / 2, (r.top + r.bottom) / 2))
        return false;
    PressButton(MOUSEEVENTF_LEFTDOWN);
    if (!WaitUntil([] { return GetAsyncKeyState(VK_LBUTTON) < 0; }, kStartTimeoutMs))
        return false;
    SetCapture(source);
    return MovePointer(x, y);
}

void EndDragFromWindow()
{
    ReleaseCapture();
    ReleaseButton(MOUSEEVENTF_LEFTUP);
}

HWND ShownMenu(DWORD processId)
{
    for (HWND hwnd : WindowsOfProcess(processId)) {
        if (IsWindowVisible(hwnd) && ClassOf(hwnd) == "#32768")
            return hwnd;
    }
    return NULL;
}

HWND RightClick(int x, int y, DWORD processId)
{
    if (!MovePointer(x, y))
        return NULL;
    PressButton(MOUSEEVENTF_RIGHTDOWN);
    ReleaseButton(MOUSEEVENTF_RIGHTUP);
    return WaitForMenuMode(processId);
}

HWND WaitForMenuMode(DWORD processId)
{
    // The menu is shown a moment before its thread takes the mouse for it: a
    // click outside it that comes in between goes past it and leaves it up.
    HWND menu = NULL;
    WaitUntil(
        [&] {
            menu = ShownMenu(processId);
            GUITHREADINFO info = {};
            info.cbSize = sizeof(info);
            return menu != NULL && GetGUIThreadInfo(GetWindowThreadProcessId(menu, NULL), &info) &&
                   (info.flags & GUI_INMENUMODE) != 0 && info.hwndCapture != NULL;
        },
        kStartTimeoutMs);
    return menu;
}

void ClickFirstItem(HWND menu)
{
    RECT r = RectOf(menu);
    Click(r.left + 20, r.top + 8);
}

void ClickLastItem(HWND menu)
{
    RECT r = RectOf(menu);
    Click(r.left + 20, r.bottom - 8);
}

HWND OptionsDialogOf(DWORD processId)
{
    return FindProcessWindow(processId, "#32770", "Brellox");
}

HWND OpenOptionsFromBar(DWORD processId, int x, int y)
{
    HWND menu = RightClick(x, y, processId);
    if (menu == NULL)
        return NULL;
    ClickFirstItem(menu);
    HWND dialog = NULL;
    WaitUntil([&] { return (dialog = OptionsDialogOf(processId)) != NULL && IsWindowVisible(dialog); },
              kStartTimeoutMs);
    return dialog != NULL && IsWindowVisible(dialog) ? dialog : NULL;
}

bool ChangeScreenSize(int width, int height)
{
    DEVMODEA mode = {};
    mode.dmSize = sizeof(mode);
    mode.dmPelsWidth = width;
    mode.dmPelsHeight = height;
    mode.dmFields = DM_PELSWIDTH | DM_PELSHEIGHT;
    return ChangeDisplaySettingsA(&mode, 0) == DISP_CHANGE_SUCCESSFUL &&
           WaitUntil([&] { return GetSystemMetrics(SM_CXSCREEN) == width && GetSystemMetrics(SM_CYSCREEN) == height; },
                     kStartTimeoutMs);
}
