// What the Wine tests share: starting Brellox.exe, finding its windows, waiting
// with a deadline while this process keeps answering the window system, and
// scratch directories for settings files.
#ifndef BRELLOX_TESTS_HARNESS_H
#define BRELLOX_TESTS_HARNESS_H

#include <windows.h>

#include "core/edges.h"

#include <functional>
#include <string>
#include <vector>

// Every wait polls against this kind of deadline; none sleeps a fixed time.
const DWORD kStartTimeoutMs = 20000;

// Handles messages for this thread's windows until none is left.
void PumpMessages();

// Polls condition every pollMs, pumping messages in between, until it holds or
// timeoutMs has passed. Returns whether it held.
bool WaitUntil(const std::function<bool()> &condition, DWORD timeoutMs, DWORD pollMs = 10);

// Holds for the whole time unless the condition breaks first: for what must not
// happen, bounded by ms.
bool HoldsFor(const std::function<bool()> &condition, DWORD ms);

RECT RectOf(HWND hwnd);
bool SameRect(const RECT &a, const RECT &b);
// A rectangle as "(left,top)-(right,bottom)".
std::string RectText(const RECT &r);
// Lines for a failure message, each followed by "; ".
std::string Joined(const std::vector<std::string> &lines);
// Waits until the window has that rectangle.
bool WaitForRect(HWND hwnd, const RECT &expected, DWORD timeoutMs = 3000);

// Paths of the program under test and of the shipped program (the two differ
// where the tests run a build for another processor).
std::string BrelloxExePath();
std::string ProductExePath();
// Brellox with a remote control (host_control.h), one of the shared programs.
std::string HostExePath();
// A program built beside this one: the Wine tests' own, or the benchmark's.
std::string TestProgramPath(const char *fileName);
// A program of tests/programs, which the Wine tests and the benchmark both
// start: built in tests\programs of the build folder, beside the folder of
// either driver.
std::string SharedProgramPath(const char *fileName);
// The control window of a started test host, once it exists; NULL if it never does.
HWND WaitForHostControl(DWORD processId);

// A fresh, empty directory of its own under the temporary folder.
std::string MakeScratchDirectory(const char *name);
// A fresh directory of exactly 250 characters: the settings file's name no
// longer fits the 260-character path buffer.
std::string MakeLongDirectory();
void WriteTextFile(const std::string &path, const std::string &text);
bool FileExists(const std::string &path);
std::string ReadTextFile(const std::string &path);
// The non-empty lines of a text, without their line ends.
std::vector<std::string> Lines(const std::string &text);

// The Unix process that runs the Windows program with that file name (as
// "Brellox.exe") in this Wine session, found in /proc: one whose environment
// names the same WINEPREFIX as this process's. -1 when there is none. Wine
// reports other processes' times and memory poorly, so figures are read from
// the kernel.
int UnixProcessId(const char *exeName);
// The private memory of a Unix process (clean and dirty pages only it maps), in
// KiB; -1 when it cannot be read.
long long PrivateMemoryKiB(int unixProcessId);

// The colour the screen shows at a point.
COLORREF ScreenPixel(int x, int y);

// Registers a window class of this process by that name, for windows a test
// makes of a class of its own, and returns the name. A class registered
// before stays as it was.
const char *RegisterTestClass(const char *name, WNDPROC proc = DefWindowProcA, UINT style = 0, HBRUSH background = NULL,
                              HCURSOR cursor = NULL);

// A plain window of this process for a test to have pushed around, of class
// "BrelloxSample" unless another registered class is named. Shown without
// being activated unless show says otherwise; SW_HIDE leaves it hidden.
HWND CreateSampleWindow(const RECT &r, const char *title = "", DWORD style = WS_OVERLAPPEDWINDOW,
                        int show = SW_SHOWNOACTIVATE, const char *className = NULL);

// The windows of one Brellox process on the primary monitor: its owner and
// the bar of each edge, found by class and window name.
struct BrelloxWindows {
    HWND owner;
    HWND bars[EDGE_COUNT]; // by Edge
    bool Complete() const;
};

BrelloxWindows FindBrelloxWindows(DWORD processId);

// The top-level windows of that process, topmost first.
std::vector<HWND> WindowsOfProcess(DWORD processId);

// The whole rectangles of the monitors, from left to right.
std::vector<RECT> MonitorsLeftToRight();

// Starts a program of the X display, such as xdotool or xrandr, by its Unix
// command line. With waitForEnd, returns once it has ended where Wine tells
// (see harness.cpp); otherwise at once, and the caller waits for what it
// changes. False when it cannot be started.
bool RunUnixProgram(std::string commandLine, bool waitForEnd);

// A window's whole text.
std::string TextOf(HWND hwnd);
// A text through the ANSI code page of the locale (932 under Japanese).
std::wstring Wide(const std::string &text);
// Whether the window's thread handles a message within a second.
bool Answers(HWND hwnd);
// A window's class name and its title.
std::string ClassOf(HWND hwnd);
// The windows within a window, their own children among them.
std::vector<HWND> ChildWindows(HWND parent);
// A message box's text: that of its one label that is not its icon.
std::string MessageBoxText(HWND box);
std::string TitleOf(HWND hwnd);
// The top-level window of that process with that class and, unless title is
// NULL, that title; NULL when there is none.
HWND FindProcessWindow(DWORD processId, const char *className, const char *title);

// One started copy of Brellox.exe. The destructor ends it if it still runs.
class BrelloxProcess {
public:
    explicit BrelloxProcess(const std::string &directory, const std::string &exePath = BrelloxExePath(),
                            const std::string &arguments = "");
    ~BrelloxProcess();
    BrelloxProcess(const BrelloxProcess &) = delete;
    BrelloxProcess &operator=(const BrelloxProcess &) = delete;

    bool Started() const { return process_ != NULL; }
    DWORD Id() const { return processId_; }
    // Waits until start-up has run to its end (the owner and the primary
    // monitor's bars exist and every bar has been parked) and returns those
    // windows; none when it does not.
    BrelloxWindows WaitForWindows(DWORD timeoutMs = kStartTimeoutMs, DWORD pollMs = 10) const;
    // Whether the process has waited for input since it started.
    bool Idle() const;
    bool WaitForExit(DWORD timeoutMs, DWORD *exitCode) const;
    bool Running() const;

private:
    HANDLE process_ = NULL;
    DWORD processId_ = 0;
};

// Ends every Brellox window's process left over from an earlier test.
void EndAllBrellox();

// Saves what every monitor shows, the rectangle around them all, as a 24-bit
// BMP file. Returns whether it was written.
bool SaveScreenshot(const std::string &path);

// Real input. The pointer is moved by xdotool on the X display (absolute moves
// sent through SendInput get lost under Wine), and the move counts once the
// window system reports the pointer there. Buttons go through SendInput. In a
// session of several monitors, where Wine does not follow xdotool's moves,
// moves go through SendInput too, placed on the virtual screen.
bool MovePointer(int x, int y);
// Moves the pointer through these points, 10 ms apart: in one xdotool run, or
// with several monitors each one waited for before the next.
bool MovePointerThrough(const std::vector<POINT> &points);
// Moves the pointer to a spot near the bottom-right corner where no bar and no
// test window lies: a test that ends with the pointer over a bar would leave
// the next test's first events to that bar. With several monitors, near the
// bottom-right corner of the primary one.
bool ParkPointer();
void PressButton(DWORD downFlag);
void ReleaseButton(DWORD upFlag);
void Click(int x, int y);
void DoubleClick(int x, int y);
// A key pressed and released, times times, to whatever window has the focus.
void PressKey(WORD virtualKey, int times = 1);
// A chord in one input: the modifiers pressed in order, the key pressed and
// released, the modifiers released.
void PressChord(const std::vector<WORD> &modifiers, WORD virtualKey);
// Clicks the middle of a window.
void ClickWindow(HWND hwnd);
// Presses the left button at (x, y) on a window whose press starts the window
// system's move loop, and waits until that loop runs on the window's thread:
// the loop takes the pointer's position as it starts, so a move made before
// it has started would be lost.
bool PressToDrag(HWND window, int x, int y);
// Releases the button of such a drag and waits until the move loop has ended.
bool ReleaseDrag(HWND window);
// Starts a drag as a drag-and-drop source does: the left button pressed in the
// middle of source, which takes the mouse capture, and the pointer carried to
// (x, y). A bar there gets no mouse messages, only the hover poll sees it.
bool DragFromWindowTo(HWND source, int x, int y);
// Ends that drag: the capture released, then the button.
void EndDragFromWindow();

// A pop-up menu of that process that is up; NULL when there is none.
HWND ShownMenu(DWORD processId);
// Right-clicks at a point and returns the menu of that process that comes up,
// once its thread holds the mouse for it; NULL when none does.
HWND RightClick(int x, int y, DWORD processId);
// The pop-up menu of that process that comes up, once its thread holds the
// mouse for it; NULL when none does.
HWND WaitForMenuMode(DWORD processId);
// Menu items are picked by clicks a few pixels inside the menu's first and
// last rows; the separator of the bar menu lies between them.
void ClickFirstItem(HWND menu);
void ClickLastItem(HWND menu);
// Brellox's options dialog of that process; NULL when it is not up.
HWND OptionsDialogOf(DWORD processId);
// Picks Options in the menu a right-click at (x, y) on a bar of that process
// brings up; the dialog once it is shown, or NULL when the menu or the dialog
// does not come.
HWND OpenOptionsFromBar(DWORD processId, int x, int y);

// Changes the display to that size, as a user or a docking station does, and
// waits until this process sees the new size. Returns whether it took.
bool ChangeScreenSize(int width, int height);

#endif
