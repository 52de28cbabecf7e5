// Windows in a program of their own (brellox_stall.exe), all of one thread,
// which a test or benchmark stops and releases at the moment it chooses.
#ifndef BRELLOX_TESTS_STALLING_WINDOW_H
#define BRELLOX_TESTS_STALLING_WINDOW_H

#include "harness.h"

class StallingWindow {
public:
    // Starts the program with a window at each rectangle, shown without being
    // activated; the last lies on top.
    explicit StallingWindow(const std::vector<RECT> &at);
    ~StallingWindow();
    StallingWindow(const StallingWindow &) = delete;
    StallingWindow &operator=(const StallingWindow &) = delete;

    // NULL when the program did not start.
    HWND Window(size_t i = 0) const { return i < windows_.size() ? windows_[i] : NULL; }
    // Stops its thread; returns once the thread has stopped.
    bool StallNow();
    // Its thread stops inside the next move of any of its windows, as a program
    // that freezes while a sweep is moving its window does.
    void StallWhenMoved() const;
    // The next move of any of its windows waits until released, while its
    // thread goes on answering every message sent to it.
    void MoveLate() const;
    // Whether its thread has stopped (since the last such report).
    bool WaitUntilStalled(DWORD timeoutMs);
    // From now on it answers every message only after that many milliseconds,
    // reporting each as a stop.
    void AnswerSlowly(DWORD ms) const;
    // From now on its windows decline every move, answering at once.
    void RefuseMoves() const;
    // Lets its thread run again after one stop.
    void Release() const;
    // Waits until its thread answers a message that does nothing: by then it
    // has carried out every move sent to it before.
    bool WaitUntilAnswering() const;

private:
    BrelloxProcess process_;
    std::vector<HWND> windows_;
    HANDLE stalled_ = NULL;
    HANDLE release_ = NULL;
};

#endif
