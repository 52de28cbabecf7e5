#include "stalling_window.h"

#include "stall_control.h"

namespace {

std::string Arguments(const std::vector<RECT> &at)
{
    std::string arguments;
    for (const RECT &r : at) {
        arguments += std::to_string(r.left) + " " + std::to_string(r.top) + " " + std::to_string(r.right) + " " +
                     std::to_string(r.bottom) + " ";
    }
    return arguments;
}

} // namespace

StallingWindow::StallingWindow(const std::vector<RECT> &at)
    : process_(MakeScratchDirectory("stall"), SharedProgramPath("brellox_stall.exe"), Arguments(at))
{
    // The program makes its events before its windows: once the last window is
    // there, so are they and the others.
    const std::string last = StallWindowTitle(static_cast<int>(at.size()) - 1);
    if (!WaitUntil([&] { return FindProcessWindow(process_.Id(), STALL_WINDOW_CLASS, last.c_str()) != NULL; },
                   kStartTimeoutMs))
        return;
    stalled_ = OpenEventA(SYNCHRONIZE, FALSE, StallEventName("stalled", process_.Id()).c_str());
    release_ = OpenEventA(EVENT_MODIFY_STATE, FALSE, StallEventName("release", process_.Id()).c_str());
    if (stalled_ == NULL || release_ == NULL)
        return;
    for (size_t i = 0; i < at.size(); ++i)
        windows_.push_back(FindProcessWindow(process_.Id(), STALL_WINDOW_CLASS, StallWindowTitle(int(i)).c_str()));
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
    PostMessageA(Window(), STALL_NOW, 0, 0);
    return WaitUntilStalled(kStartTimeoutMs);
}

void StallingWindow::StallWhenMoved() const
{
    SendMessageTimeoutA(Window(), STALL_WHEN_MOVED, 0, 0, SMTO_NORMAL, kStartTimeoutMs, NULL);
}

void StallingWindow::MoveLate() const
{
    SendMessageTimeoutA(Window(), STALL_MOVE_LATE, 0, 0, SMTO_NORMAL, kStartTimeoutMs, NULL);
}

bool StallingWindow::WaitUntilStalled(DWORD timeoutMs)
{
    return WaitUntil([&] { return WaitForSingleObject(stalled_, 0) == WAIT_OBJECT_0; }, timeoutMs);
}

void StallingWindow::AnswerSlowly(DWORD ms) const
{
    SendMessageTimeoutA(Window(), STALL_ANSWER_SLOWLY, ms, 0, SMTO_NORMAL, kStartTimeoutMs, NULL);
}

void StallingWindow::RefuseMoves() const
{
    SendMessageTimeoutA(Window(), STALL_REFUSE_MOVES, 0, 0, SMTO_NORMAL, kStartTimeoutMs, NULL);
}

void StallingWindow::Release() const
{
    SetEvent(release_);
}

bool StallingWindow::WaitUntilAnswering() const
{
    return SendMessageTimeoutA(Window(), WM_NULL, 0, 0, SMTO_NORMAL, kStartTimeoutMs, NULL) != 0;
}
