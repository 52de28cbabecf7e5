// The desktop shell's own windows, known by their class names.
#ifndef BRELLOX_SHELL_CLASSES_H
#define BRELLOX_SHELL_CLASSES_H

// A top-level window that hosts the desktop's icons ("Progman", or "WorkerW"
// on desktops with a changing wallpaper). Class names ignore case.
bool IsIconHostClass(const char *className);

// An icon host or a taskbar ("Shell_TrayWnd", "Shell_SecondaryTrayWnd").
bool IsShellClass(const char *className);

#endif
