// The desktop under the windows, for the tests and the demo: shortcuts that
// Wine's desktop shows as icons, what the screen shows there, and a file
// dragged with OLE drag-and-drop from one window to another.
#ifndef BRELLOX_TESTS_DESKTOP_H
#define BRELLOX_TESTS_DESKTOP_H

#include "harness.h"

#include <string>
#include <vector>

// Writes a shell link at path that starts target, in folder unless it is
// empty; false when it cannot. COM must be started on the calling thread.
bool SaveShortcut(const std::string &path, const std::string &target, const std::string &folder = "");

// Shortcuts in the user's Desktop folder, which Wine's desktop shows as icons
// in a row along its top edge; removed again by the destructor.
class DesktopShortcuts {
public:
    // Each pair is the shortcut's name and the program it starts. The
    // shortcuts are added one at a time, each once the desktop shows the icon
    // of the one before in iconRow (an area where nothing else lies), and
    // written again when the desktop has missed it.
    DesktopShortcuts(const std::vector<std::pair<std::string, std::string>> &shortcuts, const RECT &iconRow);
    ~DesktopShortcuts();
    DesktopShortcuts(const DesktopShortcuts &) = delete;
    DesktopShortcuts &operator=(const DesktopShortcuts &) = delete;

    // The rectangles of the icons, in order, once every one showed; empty when
    // a shortcut could not be written or its icon did not show.
    const std::vector<RECT> &Icons() const { return icons_; }

private:
    std::vector<std::string> paths_;
    std::vector<RECT> icons_;
};

// What the screen shows in one area, pixel by pixel.
struct ScreenImage {
    RECT area;
    std::vector<COLORREF> pixels;

    COLORREF At(int x, int y) const { return pixels[(y - area.top) * (area.right - area.left) + (x - area.left)]; }
    // Whether the screen shows the same in r (which lies in both areas) as other did.
    bool SameAs(const ScreenImage &other, const RECT &r) const;
};
ScreenImage CaptureScreen(const RECT &area);

// The rectangles of the icons the desktop draws in a row in area, each with its
// title, found as runs of columns that differ from the desktop's colour, where
// area holds nothing but the desktop and its icons. In order from the left.
std::vector<RECT> FindDesktopIcons(const RECT &area);

// Closes every Notepad a double-click on an icon started, and waits until they are gone.
void CloseEveryNotepad();

// A window on a thread of its own that starts an OLE drag of a file when the
// left button is pressed in it, as a file manager does.
class FileDragSource {
public:
    FileDragSource(const RECT &r, const std::string &file);
    ~FileDragSource();
    FileDragSource(const FileDragSource &) = delete;
    FileDragSource &operator=(const FileDragSource &) = delete;

    HWND Window() const { return hwnd_; }
    // Waits until the drag runs: its modal loop holds the mouse capture.
    bool WaitUntilDragging() const;
    // Waits until the drag has ended; *effect is the effect the drop target chose.
    bool WaitUntilDropped(DWORD *effect) const;

private:
    static DWORD WINAPI Run(LPVOID parameter);
    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

    RECT rect_;
    std::string file_;
    HANDLE ready_;
    HANDLE thread_ = NULL;
    DWORD threadId_ = 0;
    HWND hwnd_ = NULL;
    volatile LONG dropped_ = 0;
    volatile LONG effect_ = 0;
};

// A window of this thread that accepts files dropped on it and keeps the path
// of the first one.
class FileDropTarget {
public:
    FileDropTarget(const RECT &r, int show);
    ~FileDropTarget();
    FileDropTarget(const FileDropTarget &) = delete;
    FileDropTarget &operator=(const FileDropTarget &) = delete;

    HWND Window() const { return hwnd_; }
    bool Registered() const { return registered_; }
    // The path of the file dropped, empty until one is.
    std::string Dropped() const;

private:
    struct Target;
    Target *target_;
    HWND hwnd_;
    bool registered_;
};

#endif
