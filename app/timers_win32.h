// Every timer Brellox runs, one id each, and their periods. Every timer carries
// its callback; no window procedure handles WM_TIMER.
#ifndef BRELLOX_TIMERS_WIN32_H
#define BRELLOX_TIMERS_WIN32_H

#include "../core/edges.h"
#include "../platform/platform_types.h"

enum TimerId {
    TIMER_HOVER_POLL = 11, // on the owner window
    TIMER_WATCH_LEFT = 13, // on each bar, by its edge: 13 left, 14 right, 15 top, 16 bottom
    TIMER_DWELL_OPEN = 17, // on the owner window
    TIMER_DISPLAY_SETTLED = 18,
    TIMER_HOTKEY_RETRY = 19,
};

// The watch timer of a bar of that edge.
inline UINT_PTR WatchTimer(Edge edge)
{
    return TIMER_WATCH_LEFT + static_cast<UINT_PTR>(edge);
}

enum TimerPeriodMs {
    HOVER_POLL_PERIOD_MS = 200,
    WATCH_PERIOD_MS = 100,
    DWELL_PERIOD_MS = 300,
    // A monitor just woken or docked may first report a passing state.
    DISPLAY_SETTLED_DELAY_MS = 2000,
    HOTKEY_RETRY_PERIOD_MS = 100,
};

#endif
