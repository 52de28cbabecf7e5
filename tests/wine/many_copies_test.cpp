// Many copies of Brellox.exe: started one after another, each newer one ends
// the one before; started all at once, none may crash or hang, whichever of
// them the single-copy rule happens to reach.
#include "brellox_fixture.h"

#include "core/window_names.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

const int kCopies = 20;

class ManyCopies : public ::testing::Test {
protected:
    void SetUp() override { EndAllBrellox(); }

    void TearDown() override
    {
        for (const PROCESS_INFORMATION &copy : suspended_) {
            if (WaitForSingleObject(copy.hProcess, 0) == WAIT_TIMEOUT)
                TerminateProcess(copy.hProcess, 99);
            CloseHandle(copy.hThread);
            CloseHandle(copy.hProcess);
        }
        EndAllBrellox();
    }

    // A copy made but not yet let go, so that all of them can start together.
    bool StartSuspended(const std::string &directory)
    {
        const std::string exe = BrelloxExePath();
        std::string commandLine = "\"" + exe + "\"";
        STARTUPINFOA startup = {};
        startup.cb = sizeof(startup);
        PROCESS_INFORMATION info = {};
        if (!CreateProcessA(exe.c_str(), &commandLine[0], NULL, NULL, FALSE, CREATE_SUSPENDED, NULL, directory.c_str(),
                            &startup, &info))
            return false;
        suspended_.push_back(info);
        return true;
    }

    std::vector<PROCESS_INFORMATION> suspended_;
};

TEST_F(ManyCopies, OneAfterAnotherLeaveOnlyTheLastRunningAndTheOthersExitWithZero)
{
    const std::string dir = MakeScratchDirectory("sequence");
    std::vector<std::unique_ptr<BrelloxProcess>> copies;
    for (int i = 0; i < kCopies; ++i) {
        SCOPED_TRACE(i);
        copies.push_back(std::make_unique<BrelloxProcess>(dir));
        ASSERT_TRUE(copies.back()->Started());
        ASSERT_TRUE(copies.back()->WaitForWindows().Complete());
    }
    // One deadline for all of them, so that a run where none ends fails in one wait.
    EXPECT_TRUE(WaitUntil(
        [&] {
            for (int i = 0; i < kCopies - 1; ++i) {
                if (copies[i]->Running())
                    return false;
            }
            return true;
        },
        kStartTimeoutMs));
    for (int i = 0; i < kCopies - 1; ++i) {
        SCOPED_TRACE(i);
        DWORD code = 99;
        EXPECT_TRUE(copies[i]->WaitForExit(0, &code));
        EXPECT_EQ(0u, code);
    }
    const BrelloxProcess &last = *copies.back();
    EXPECT_TRUE(last.Running());
    const BrelloxWindows windows = FindBrelloxWindows(last.Id());
    ASSERT_TRUE(windows.Complete());
    EXPECT_TRUE(Answers(windows.owner));
    EXPECT_TRUE(IsWindowVisible(windows.bars[EdgeLeft]));
    EXPECT_EQ(windows.owner, FindWindowA(BRELLOX_CLASS_NAME, BRELLOX_OWNER_NAME)) << "no other copy's window is left";
}

TEST_F(ManyCopies, AllAtOnceNoneCrashesOrHangsAndAtLeastOneRuns)
{
    const std::string dir = MakeScratchDirectory("together");
    for (int i = 0; i < kCopies; ++i)
        ASSERT_TRUE(StartSuspended(dir)) << i;
    for (const PROCESS_INFORMATION &copy : suspended_)
        ResumeThread(copy.hThread);

    // Each copy either ends or comes up with its owner and bars and waits for input.
    auto ended = [](const PROCESS_INFORMATION &copy) { return WaitForSingleObject(copy.hProcess, 0) == WAIT_OBJECT_0; };
    auto up = [](const PROCESS_INFORMATION &copy) {
        return FindBrelloxWindows(copy.dwProcessId).Complete() && WaitForInputIdle(copy.hProcess, 0) == 0;
    };
    ASSERT_TRUE(WaitUntil(
        [&] {
            for (const PROCESS_INFORMATION &copy : suspended_) {
                if (!ended(copy) && !up(copy))
                    return false;
            }
            return true;
        },
        3 * kStartTimeoutMs, 50));

    int running = 0;
    for (int i = 0; i < kCopies; ++i) {
        SCOPED_TRACE(i);
        const PROCESS_INFORMATION &copy = suspended_[i];
        if (ended(copy)) {
            DWORD code = 99;
            GetExitCodeProcess(copy.hProcess, &code);
            EXPECT_EQ(0u, code);
            continue;
        }
        // A copy that was told to end may do so while it is looked at.
        HWND owner = FindBrelloxWindows(copy.dwProcessId).owner;
        if (owner != NULL && Answers(owner))
            ++running;
    }
    EXPECT_GE(running, 1);

    // The copies still running end as a newer copy would end them.
    for (int i = 0; i < kCopies; ++i) {
        SCOPED_TRACE(i);
        const PROCESS_INFORMATION &copy = suspended_[i];
        HWND owner = FindBrelloxWindows(copy.dwProcessId).owner;
        if (owner != NULL)
            SendMessageTimeoutA(owner, WM_DESTROY, 0, 0, SMTO_ABORTIFHUNG, 1000, NULL);
        EXPECT_TRUE(WaitUntil([&] { return ended(copy); }, kStartTimeoutMs));
        DWORD code = 99;
        GetExitCodeProcess(copy.hProcess, &code);
        EXPECT_EQ(0u, code);
    }
    EXPECT_EQ(NULL, FindWindowA(BRELLOX_CLASS_NAME, NULL));
}

} // namespace
