// The settings' Leave list with real input: windows of a class it names and of
// a program it names stay where they are through opens that push the window
// beside them; a list too long to use is told once and leaves every window to
// be judged as without it; the options dialog's OK keeps the line.
#include "brellox_fixture.h"

#include "core/leave_list.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

const char kListed[] = "AcceptNote, notes.exe";
const char kNoteClass[] = "AcceptNote";
// brellox_samples' window class.
const char kSampleClass[] = "BrelloxBenchSample";

// Three windows that each reach both the left bar's strip (left edge at or
// left of 150) and the bottom bar's (bottom edge at or below 618), the
// ordinary one on top.
const RECT kNoteAt = {20, 420, 320, 720};
const RECT kProgramAt = {60, 380, 360, 700};
const RECT kOrdinaryAt = {100, 340, 400, 660};

class LeaveAlone : public BrelloxTest {
protected:
    void TearDown() override
    {
        notes_.reset();
        BrelloxTest::TearDown();
    }

    // Brellox with both bars, a window of the listed class, a window of the
    // sample program started as notes.exe and an ordinary window, in place.
    void StartWithWindows(const std::string &leaveLine)
    {
        Start("[Brellox]\r\nLeft=1\r\nBottom=1\r\n" + leaveLine + "\r\n");
        if (HasFatalFailure())
            return;
        note_ = Sample(kNoteAt, SW_SHOWNOACTIVATE, WS_OVERLAPPEDWINDOW, RegisterTestClass(kNoteClass), "note");
        StartNotesProgram();
        if (HasFatalFailure())
            return;
        ordinary_ = Sample(kOrdinaryAt);
    }

    // The sample program copied to a folder of its own as notes.exe, started
    // with one window, which is then put in its place.
    void StartNotesProgram()
    {
        const std::string dir = MakeScratchDirectory("program");
        const std::string exe = dir + "\\notes.exe";
        ASSERT_TRUE(CopyFileA(SharedProgramPath("brellox_samples.exe").c_str(), exe.c_str(), FALSE)) << exe;
        notes_ = std::make_unique<BrelloxProcess>(dir, exe, "1");
        ASSERT_TRUE(notes_->Started()) << exe;
        ASSERT_TRUE(WaitUntil(
            [&] {
                program_ = FindProcessWindow(notes_->Id(), kSampleClass, NULL);
                return program_ != NULL && IsWindowVisible(program_);
            },
            kStartTimeoutMs))
            << "the window of notes.exe";
        SetWindowPos(program_, NULL, kProgramAt.left, kProgramAt.top, kProgramAt.right - kProgramAt.left,
                     kProgramAt.bottom - kProgramAt.top, SWP_NOZORDER | SWP_NOACTIVATE);
        ASSERT_TRUE(ComesTo(program_, kProgramAt));
    }

    // A double-click on the bar of that edge pushes the ordinary window to
    // pushedTo; a click into it puts it back. moved tells whether the listed
    // windows go with it or stay where they are.
    void OpenAndPutBack(Edge edge, POINT pushedTo, bool moved)
    {
        const EdgeCase &c = kEdgeCases[edge];
        const POINT onBar = Middle(c.barRest);
        DoubleClick(onBar.x, onBar.y);
        const RECT pushed = Moved(kOrdinaryAt, pushedTo.x, pushedTo.y);
        ASSERT_TRUE(ComesTo(ordinary_, pushed)) << "edge " << edge;
        EXPECT_TRUE(ComesTo(bars_.bars[edge], c.barOpen));
        if (moved) {
            const LONG line = edge == EdgeLeft ? 150 : 618;
            EXPECT_TRUE(ComesTo(note_, edge == EdgeLeft ? Moved(kNoteAt, line, kNoteAt.top)
                                                        : Moved(kNoteAt, kNoteAt.left, line - 300)));
            EXPECT_TRUE(ComesTo(program_, edge == EdgeLeft ? Moved(kProgramAt, line, kProgramAt.top)
                                                           : Moved(kProgramAt, kProgramAt.left, line - 320)));
        } else {
            EXPECT_TRUE(StaysAt(note_, kNoteAt, 300)) << "the window of the listed class, edge " << edge;
            EXPECT_TRUE(StaysAt(program_, kProgramAt, 300)) << "the window of notes.exe, edge " << edge;
        }

        ClickWindow(ordinary_);
        EXPECT_TRUE(ComesTo(ordinary_, kOrdinaryAt)) << "edge " << edge;
        EXPECT_TRUE(ComesTo(bars_.bars[edge], c.barRest));
        EXPECT_TRUE(ComesTo(note_, kNoteAt));
        EXPECT_TRUE(ComesTo(program_, kProgramAt));
    }

    void ExpectLeftAloneThroughBothOpens()
    {
        OpenAndPutBack(EdgeLeft, {150, kOrdinaryAt.top}, false);
        OpenAndPutBack(EdgeBottom, {kOrdinaryAt.left, 618 - 320}, false);
    }

    // Brellox's message boxes that are up.
    std::vector<HWND> MessageBoxes() const
    {
        std::vector<HWND> boxes;
        for (HWND hwnd : WindowsOfProcess(brellox_->Id())) {
            if (IsWindowVisible(hwnd) && ClassOf(hwnd) == "#32770" && TitleOf(hwnd) == "Brellox")
                boxes.push_back(hwnd);
        }
        return boxes;
    }

    // The text of the one message box that comes, dismissed; empty when
    // none comes.
    std::string TakeMessageBox() const
    {
        std::vector<HWND> boxes;
        if (!WaitUntil([&] { return !(boxes = MessageBoxes()).empty(); }, kStartTimeoutMs))
            return "";
        EXPECT_EQ(1u, boxes.size());
        HWND box = boxes.front();
        const std::string text = MessageBoxText(box);
        PostMessageA(box, WM_COMMAND, IDOK, 0);
        EXPECT_TRUE(WaitUntil([&] { return !IsWindow(box); }, kStartTimeoutMs));
        return text;
    }

    // A list too long to use, whose names would otherwise leave both windows.
    static std::string TooLongLine()
    {
        std::string value = kListed;
        while (value.size() <= LEAVE_VALUE_LONGEST)
            value += ", other.exe";
        return "Leave=" + value;
    }

    HWND note_ = NULL;
    HWND program_ = NULL;
    HWND ordinary_ = NULL;
    std::unique_ptr<BrelloxProcess> notes_;
};

TEST_F(LeaveAlone, WindowsOfAListedClassAndProgramStayWhileTheWindowBesideThemIsPushedAndPutBack)
{
    StartWithWindows(std::string("Leave=") + kListed);
    ExpectLeftAloneThroughBothOpens();
}

// Refused whole, told once at start-up; every window is then pushed as
// without a list.
TEST_F(LeaveAlone, AListTooLongIsToldOnceAndEveryWindowIsPushedAsWithoutIt)
{
    StartWithWindows(TooLongLine());
    EXPECT_EQ("The Leave list in Brellox.ini is longer than 1023 characters: it is not used.", TakeMessageBox());
    EXPECT_TRUE(HoldsFor([&] { return MessageBoxes().empty(); }, 500)) << "once";
    EXPECT_TRUE(brellox_->Running());
    OpenAndPutBack(EdgeLeft, {150, kOrdinaryAt.top}, true);
    OpenAndPutBack(EdgeBottom, {kOrdinaryAt.left, 618 - 320}, true);
    EXPECT_TRUE(MessageBoxes().empty());
}

// The options dialog's OK writes its own keys: the Leave line stays as it
// was, and so does the list.
TEST_F(LeaveAlone, TheOptionsOkKeepsTheLeaveLineAndTheList)
{
    StartWithWindows("Leave = AcceptNote, notes.exe");
    HWND dialog = OpenOptions(1, 200);
    ASSERT_NE(nullptr, dialog);
    PostMessageA(dialog, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(dialog); }, kStartTimeoutMs));
    // Read as the program reads it: Wine's profile writer rewrites the
    // blanks around the equals sign, and Windows' keeps them.
    char value[64] = "";
    GetPrivateProfileStringA("Brellox", "Leave", "", value, sizeof(value), SettingsPath().c_str());
    EXPECT_STREQ(kListed, value) << ReadTextFile(SettingsPath());
    EXPECT_EQ(1, SavedInt("Bottom")) << "the save wrote its keys";
    ExpectLeftAloneThroughBothOpens();
}

// Run on its own under LC_ALL=ja_JP.UTF-8.
class JapaneseLeaveAlone : public LeaveAlone {};

TEST_F(JapaneseLeaveAlone, AListTooLongIsToldInJapanese)
{
    StartWithWindows(TooLongLine());
    EXPECT_EQ(L"Brellox.ini の Leave の一覧は 1023 文字を超えているため使いません。", Wide(TakeMessageBox()));
    EXPECT_TRUE(brellox_->Running());
}

} // namespace
