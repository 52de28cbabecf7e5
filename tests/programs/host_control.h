// The remote control of the test host: messages a test posts to the host's
// control window ("BrelloxTestHost") to run what the bars' mouse handling runs.
#ifndef BRELLOX_TESTS_HOST_CONTROL_H
#define BRELLOX_TESTS_HOST_CONTROL_H

#include <windows.h>

#define HOST_CONTROL_CLASS "BrelloxTestHost"

enum HostCommand {
    HOST_OPEN_EDGE = WM_APP + 1,    // wParam: the bar, 0 left .. 3 bottom of the primary monitor, then
                                    // 4 .. 7 of the next monitor, and so on
    HOST_SWEEP_AT_BAR = WM_APP + 2, // wParam: the bar
    HOST_TIMED_SWEEP = WM_APP + 4,  // sent; wParam the bar, lParam the line; the result is the
                                    // sweep's duration in microseconds
    HOST_RESTORE_ALL = WM_APP + 5,
    HOST_TIMED_WAITING_SWEEP = WM_APP + 6,   // sent; lParam the line of a left sweep that waits,
                                             // without a bound, for every window it moves; the
                                             // result as for HOST_TIMED_SWEEP
    HOST_TIMED_RESTORE_ALL = WM_APP + 7,     // sent; the result is the restore's duration in microseconds
    HOST_WATCH_BY_TIMER = WM_APP + 8,        // the watches left to their timers: no foreground event
    HOST_STOP_WATCH_TIMERS = WM_APP + 9,     // the watch timers stopped, the watches themselves kept:
                                             // only the foreground event can restore
    HOST_TIMED_KIND_QUESTIONS = WM_APP + 10, // sent; lParam the line of a left sweep: asks every
                                             // window that reaches its strip what kind of window it
                                             // is, as the sweep does; the result is the time those
                                             // questions took, in microseconds
};

#endif
