#include "brellox_thread.h"

#include "app/startup_win32.h"
#include "app/window_proc_win32.h"
#include "core/state_win32.h"
#include "platform/libraries_win32.h"

DWORD WINAPI BrelloxThread::Run(LPVOID parameter)
{
    BrelloxThread *brellox = static_cast<BrelloxThread *>(parameter);
    // The class outlives a thread: only the first start in this process registers it.
    static bool registered = false;
    HINSTANCE instance = GetModuleHandleA(NULL);
    StartBrellox(instance, registered ? instance : NULL, NULL);
    registered = true;
    // A system without layered windows, as far as Brellox can tell.
    if (!brellox->layered_)
        ReleaseUser32Entries();
    SetEvent(brellox->startedEvent_);

    HANDLE events[2] = {brellox->openDialog_, brellox->quit_};
    for (;;) {
        DWORD woken = MsgWaitForMultipleObjects(2, events, FALSE, INFINITE, QS_ALLINPUT);
        if (woken == WAIT_OBJECT_0)
            ShowOptionsDialog();
        else if (woken == WAIT_OBJECT_0 + 1)
            break;
        else
            PumpMessages();
    }
    DestroyWindow(g_EdgeBarSet.hwndOwner);
    EndBrellox();
    return 0;
}

BrelloxThread::BrelloxThread(const char *scratchName, const std::string &settings, bool layered)
    : dir_(MakeScratchDirectory(scratchName)), layered_(layered), startedEvent_(CreateEventA(NULL, TRUE, FALSE, NULL)),
      openDialog_(CreateEventA(NULL, FALSE, FALSE, NULL)), quit_(CreateEventA(NULL, TRUE, FALSE, NULL))
{
    GetCurrentDirectoryA(MAX_PATH, savedDirectory_);
    WriteTextFile(dir_ + "\\Brellox.ini", settings);
    // The settings file is read from the current directory, which is the process's.
    if (!SetCurrentDirectoryA(dir_.c_str()))
        return;
    thread_ = CreateThread(NULL, 0, Run, this, 0, &threadId_);
    started_ = thread_ != NULL &&
               WaitUntil([&] { return WaitForSingleObject(startedEvent_, 0) == WAIT_OBJECT_0; }, kStartTimeoutMs);
    if (!started_)
        return;
    windows_.owner = g_EdgeBarSet.hwndOwner;
    for (int edge = 0; edge < EDGE_COUNT; ++edge)
        windows_.bars[edge] = g_EdgeBarSet.hwndBar[edge];
}

BrelloxThread::~BrelloxThread()
{
    if (thread_ != NULL) {
        SetEvent(quit_);
        WaitUntil([&] { return WaitForSingleObject(thread_, 0) == WAIT_OBJECT_0; }, kStartTimeoutMs);
        CloseHandle(thread_);
    }
    for (HANDLE event : {startedEvent_, openDialog_, quit_})
        CloseHandle(event);
    SetCurrentDirectoryA(savedDirectory_);
}

void BrelloxThread::RequestOptions() const
{
    SetEvent(openDialog_);
}
