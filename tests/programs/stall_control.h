// The remote control of brellox_stall.exe, a window whose thread stops
// answering when a test says so and runs again when the test releases it.
#ifndef BRELLOX_TESTS_STALL_CONTROL_H
#define BRELLOX_TESTS_STALL_CONTROL_H

#include <windows.h>

#include <string>

#define STALL_WINDOW_CLASS "BrelloxStall"

// Posted to the stall window.
enum StallCommand {
    STALL_NOW = WM_APP,               // stops the thread until it is released
    STALL_WHEN_MOVED = WM_APP + 1,    // stops it inside the next move of the window
    STALL_ANSWER_SLOWLY = WM_APP + 2, // from now on every message waits wParam milliseconds
    STALL_MOVE_LATE = WM_APP + 3,     // the next move of the window waits until released, while the
                                      // thread goes on answering the messages sent to it
    STALL_REFUSE_MOVES = WM_APP + 4,  // from now on every window keeps its place: each move is
                                      // declined in WM_WINDOWPOSCHANGING, as a docked window's is
};

// Named events of the stall program with that process id: the program sets
// "stalled" as its thread stops (or a move of its starts to wait, or a slow
// answer starts), and its thread runs again once the test sets "release"
// (each setting releases one stop).
inline std::string StallEventName(const char *what, DWORD processId)
{
    return std::string("BrelloxStall-") + what + "-" + std::to_string(processId);
}

inline std::string StallWindowTitle(int i)
{
    return "stall " + std::to_string(i);
}

#endif
