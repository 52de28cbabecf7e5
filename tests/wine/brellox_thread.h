// Brellox's own start-up, windows and options dialog on a thread of the test
// process, for tests that need what only that process can see: the controls of
// the dialog, the items of a menu, the cursor handle, the timer messages.
#ifndef BRELLOX_TESTS_BRELLOX_THREAD_H
#define BRELLOX_TESTS_BRELLOX_THREAD_H

#include "harness.h"

#include <string>

class BrelloxThread {
public:
    // Starts Brellox on its thread with this settings file in a fresh current
    // directory of its own; without layered windows when layered is false.
    BrelloxThread(const char *scratchName, const std::string &settings, bool layered = true);
    // Ends the thread and puts back this process's current directory.
    ~BrelloxThread();
    BrelloxThread(const BrelloxThread &) = delete;
    BrelloxThread &operator=(const BrelloxThread &) = delete;

    bool Started() const { return started_; }
    BrelloxWindows Windows() const { return windows_; }
    DWORD ThreadId() const { return threadId_; }
    const std::string &Directory() const { return dir_; }
    // Asks the thread to open the options dialog; returns at once.
    void RequestOptions() const;

private:
    static DWORD WINAPI Run(LPVOID parameter);

    std::string dir_;
    char savedDirectory_[MAX_PATH] = "";
    bool layered_;
    bool started_ = false;
    HANDLE startedEvent_;
    HANDLE openDialog_;
    HANDLE quit_;
    HANDLE thread_ = NULL;
    DWORD threadId_ = 0;
    BrelloxWindows windows_ = {};
};

#endif
