#include "stalling_window.h"

#include "stall_control.h"

namespace {

std::string Arguments(const RECT &r)
{
    return std::to_string(r.left) + " " + std::to_string(r.top) + " " + std::to_string(r.right) + " " +
           std::to_string(r.bottom);
}

} // namespace

StallingWindow::StallingWindow(const RECT &r)
    : process_(MakeScratchDirectory("stall"), TestProgramPath("brellox_stall.exe"), Arguments(r))
{
    // The program makes its events before its window: once the window is
    // there, so are they.
    WaitUntil([&] { return (hwnd_ = FindProcessWindow(process_.Id(), STALL_WINDOW_CLASS, NULL)) != NULL; },
              kStartTimeoutMs);
    if (hwnd_ == NULL)
        return;
    stalled_ = OpenEventA(SYNCHRONIZE, FALSE, StallEventName("stalled", process_.Id()).c_str());
    release_ = OpenEventA(EVENT_MODIFY_STATE, FALSE, StallEventName("release", process_.Id()).c_str());
    if (stalled_ == NULL || release_ == NULL)
        hwnd_ = NULL;
}

StallingWindow::~StallingWindow()
{
    for (HANDLE event : {stalled_, release_}) {
        if (event != NULL)
            CloseHandle(event);
    }
}

bool StallingWindow::StallNow()
{
    PostMessageA(hwnd_, STALL_NOW, 0, 0);
    return WaitUntilStalled(kStartTimeoutMs);
}

void StallingWindow::StallWhenMoved() const
{
    SendMessageTimeoutA(hwnd_, STALL_WHEN_MOVED, 0, 0, SMTO_NORMAL, kStartTimeoutMs, NULL);
}

bool StallingWindow::WaitUntilStalled(DWORD timeoutMs)
{
    return WaitUntil([&] { return WaitForSingleObject(stalled_, 0) == WAIT_OBJECT_0; }, timeoutMs);
}

void StallingWindow::AnswerSlowly(DWORD ms) const
{
    SendMessageTimeoutA(hwnd_, STALL_ANSWER_SLOWLY, ms, 0, SMTO_NORMAL, kStartTimeoutMs, NULL);
}

void StallingWindow::Release() const
{
    SetEvent(release_);
}

bool StallingWindow::WaitUntilAnswering() const
{
    return SendMessageTimeoutA(hwnd_, WM_NULL, 0, 0, SMTO_NORMAL, kStartTimeoutMs, NULL) != 0;
}
