// The options dialog driven for real: opened by Brellox's own code on a thread
// of this process, worked with clicks and keys, and judged by its controls, the
// settings file and the bars.
#include "brellox_thread.h"
#include "core/state_win32.h"
#include "harness.h"
#include "version.h"
#include "window_checks.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

namespace {

// Control ids of the dialog.
enum {
    COLOR_BUTTON = 1000,
    WIDTH_SPIN = 1003,
    ALPHA_SPIN = 1004,
    WIDTH_FIELD = 1005,
    EDGE_LEFT = 1006,
    ALPHA_FIELD = 1007,
    EDGE_RIGHT = 1008,
    EDGE_TOP = 1009,
    EDGE_BOTTOM = 1010,
    OFFSET_SPIN = 1011,
    OFFSET_FIELD = 1012,
    OPENWIDTH_SPIN = 1013,
    OPENWIDTH_FIELD = 1014,
    SWATCH = 1015,
};

// The colour picker's red, green and blue fields.
enum { PICKER_RED = 706, PICKER_GREEN = 707, PICKER_BLUE = 708 };

std::wstring WideTextOf(HWND hwnd)
{
    return Wide(TextOf(hwnd));
}

// Labels whose text does not fit their rectangle in the dialog's font, laid
// out the way a left-aligned static lays it out (word breaks, prefixes). The
// blank a glyph carries after its ink may fall outside: nothing visible is lost.
std::vector<std::string> ClippedLabels(HWND dialog)
{
    std::vector<std::string> clipped;
    for (HWND child : ChildWindows(dialog)) {
        char className[16] = "";
        GetClassNameA(child, className, sizeof(className));
        const LONG style = GetWindowLongA(child, GWL_STYLE);
        const std::string text = TextOf(child);
        if (lstrcmpiA(className, "Static") != 0 || (style & SS_TYPEMASK) != SS_LEFT || text.empty())
            continue;
        RECT client = {};
        GetClientRect(child, &client);
        RECT needed = client;
        HDC dc = GetDC(child);
        HGDIOBJ oldFont = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(child, WM_GETFONT, 0, 0)));
        DrawTextA(dc, text.c_str(), -1, &needed, DT_CALCRECT | DT_WORDBREAK | DT_EXPANDTABS);
        int trailingBlank = 0;
        for (size_t end = text.find('\n');; end = text.find('\n', end + 1)) {
            const size_t last = (end == std::string::npos ? text.size() : end) - 1;
            const UINT glyph = static_cast<unsigned char>(text[last]);
            ABC abc = {};
            if (GetCharABCWidthsA(dc, glyph, glyph, &abc) && abc.abcC > trailingBlank)
                trailingBlank = abc.abcC;
            if (end == std::string::npos)
                break;
        }
        SelectObject(dc, oldFont);
        ReleaseDC(child, dc);
        if (needed.right - trailingBlank > client.right || needed.bottom > client.bottom)
            clipped.push_back(text + " needs " + std::to_string(needed.right) + "x" + std::to_string(needed.bottom) +
                              ", has " + std::to_string(client.right) + "x" + std::to_string(client.bottom));
    }
    return clipped;
}

// Screenshots go where the test command asks, for a person to look at.
void SaveScreenshotFor(const char *name)
{
    const char *folder = std::getenv("BRELLOX_SCREENSHOTS");
    if (folder != NULL && folder[0] != '\0')
        SaveScreenshot(std::string(folder) + "\\" + name);
}

class Options : public ::testing::Test {
protected:
    void SetUp() override { EndAllBrellox(); }
    void TearDown() override
    {
        if (holder_ != INVALID_HANDLE_VALUE)
            CloseHandle(holder_);
        brellox_.reset();
    }

    // Starts Brellox on its thread with this settings file in its current directory.
    void StartHost(const std::string &settings, bool layered = true)
    {
        brellox_ = std::make_unique<BrelloxThread>("options", settings, layered);
        ASSERT_TRUE(brellox_->Started());
        bars_ = brellox_->Windows();
    }

    std::string IniPath() const { return brellox_->Directory() + "\\Brellox.ini"; }

    // A dialog of the host with that title, other than the one given, that is
    // up: visible, with its controls.
    HWND FindDialog(const char *title, HWND other = NULL) const
    {
        for (HWND hwnd : WindowsOfProcess(GetCurrentProcessId())) {
            if (hwnd != other && IsWindowVisible(hwnd) && ClassOf(hwnd) == "#32770" && TitleOf(hwnd) == title &&
                GetDlgItem(hwnd, IDOK) != NULL)
                return hwnd;
        }
        return NULL;
    }

    // Opened on request rather than from a bar's menu, the dialog may not be in
    // front; a click on the empty corner at the bottom left of its client area
    // brings it there, as a user would. A click on the caption would start the
    // window system's move loop, whose mouse capture, until it has handled the
    // release, takes the test's next click from the control it was meant for.
    void OpenDialog()
    {
        brellox_->RequestOptions();
        ASSERT_TRUE(WaitUntil([&] { return (dialog_ = FindDialog("Brellox")) != NULL; }, kStartTimeoutMs));
        // The dialog's start ends with the focus on OK, after every control has
        // been made and filled in.
        ASSERT_TRUE(WaitUntil([&] { return FocusOfDialogThread() == Item(IDOK); }, kStartTimeoutMs));
        RECT client = {};
        GetClientRect(dialog_, &client);
        POINT corner = {4, client.bottom - 4};
        ClientToScreen(dialog_, &corner);
        Click(corner.x, corner.y);
        ASSERT_TRUE(WaitUntil([&] { return GetForegroundWindow() == dialog_; }, kStartTimeoutMs));
    }

    HWND Item(int id) const { return GetDlgItem(dialog_, id); }
    HWND FocusOfDialogThread() const
    {
        GUITHREADINFO gui = {};
        gui.cbSize = sizeof(gui);
        GetGUIThreadInfo(GetWindowThreadProcessId(dialog_, NULL), &gui);
        return gui.hwndFocus;
    }
    int Value(int fieldId) const { return std::atoi(TextOf(Item(fieldId)).c_str()); }
    bool Ticked(int id) const { return SendMessageA(Item(id), BM_GETCHECK, 0, 0) == BST_CHECKED; }
    bool Ended() const
    {
        return WaitUntil([&] { return !IsWindow(dialog_); }, kStartTimeoutMs);
    }

    // Steps a value with the arrow keys, its field having the keyboard focus.
    void Step(int fieldId, WORD key, int times)
    {
        ClickWindow(Item(fieldId));
        // The keys go wherever the focus is once they arrive.
        WaitUntil([&] { return FocusOfDialogThread() == Item(fieldId); }, kStartTimeoutMs);
        PressKey(key, times);
    }

    bool WaitForValue(int fieldId, int expected) const
    {
        return WaitUntil([&] { return Value(fieldId) == expected; }, kStartTimeoutMs);
    }

    // Picks a colour in the colour picker the colour button opens.
    void PickColour(int red, int green, int blue)
    {
        ClickWindow(Item(COLOR_BUTTON));
        HWND picker = NULL;
        ASSERT_TRUE(WaitUntil([&] { return (picker = FindDialog("Color", dialog_)) != NULL; }, kStartTimeoutMs));
        const int ids[3] = {PICKER_RED, PICKER_GREEN, PICKER_BLUE};
        const int values[3] = {red, green, blue};
        for (int i = 0; i < 3; ++i)
            SendMessageA(GetDlgItem(picker, ids[i]), WM_SETTEXT, 0,
                         reinterpret_cast<LPARAM>(std::to_string(values[i]).c_str()));
        ClickWindow(GetDlgItem(picker, IDOK));
        ASSERT_TRUE(WaitUntil([&] { return !IsWindow(picker); }, kStartTimeoutMs));
    }

    COLORREF SwatchColour() const
    {
        RECT r = RectOf(Item(SWATCH));
        return ScreenPixel((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    }

    // Another program holds the settings file open and lets nobody write to it.
    void HoldSettingsFile()
    {
        holder_ = CreateFileA(IniPath().c_str(), GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING, 0, NULL);
        ASSERT_NE(INVALID_HANDLE_VALUE, holder_);
    }

    // Whether this process, as any program, can open the settings file for writing.
    bool SettingsFileWritable() const
    {
        HANDLE probe = CreateFileA(IniPath().c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL,
                                   OPEN_EXISTING, 0, NULL);
        if (probe == INVALID_HANDLE_VALUE)
            return false;
        CloseHandle(probe);
        return true;
    }

    // Opens the dialog, sets Width to 5, ticks Top and confirms, all through the
    // controls' own messages rather than the pointer: what is at stake is the
    // save, not the input. Returns the message box OK brings up.
    HWND ConfirmWidthFiveAndTop()
    {
        brellox_->RequestOptions();
        HWND box = NULL;
        EXPECT_TRUE(WaitUntil([&] { return (dialog_ = FindDialog("Brellox")) != NULL; }, kStartTimeoutMs));
        EXPECT_TRUE(
            WaitUntil([&] { return Item(SWATCH) != NULL && !TextOf(Item(WIDTH_FIELD)).empty(); }, kStartTimeoutMs));
        SendMessageA(Item(WIDTH_SPIN), UDM_SETPOS32, 0, 5);
        EXPECT_TRUE(WaitForValue(WIDTH_FIELD, 5));
        SendMessageA(Item(EDGE_TOP), BM_SETCHECK, BST_CHECKED, 0);
        PostMessageA(dialog_, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(Item(IDOK)));
        EXPECT_TRUE(WaitUntil([&] { return (box = FindDialog("Brellox", dialog_)) != NULL; }, kStartTimeoutMs))
            << "no message box";
        return box;
    }

    // Dismisses the message box with its OK and waits until the dialog has ended.
    bool DismissAndEnd(HWND box) const
    {
        PostMessageA(box, WM_COMMAND, IDOK, 0);
        return WaitUntil([&] { return !IsWindow(box); }, kStartTimeoutMs) && Ended();
    }

    std::unique_ptr<BrelloxThread> brellox_;
    BrelloxWindows bars_ = {};
    HWND dialog_ = NULL;
    HANDLE holder_ = INVALID_HANDLE_VALUE;
};

TEST_F(Options, EnglishDialogShowsItsTextsAndTheSettings)
{
    StartHost(
        "[Brellox]\r\nWidth=3\r\nAlpha=20\r\nOffset=10\r\nOpenWidth=4\r\nLeft=1\r\nBottom=1\r\nColor=10,20,30\r\n");
    OpenDialog();

    EXPECT_EQ(28u, ChildWindows(dialog_).size());
    const LONG style = GetWindowLongA(dialog_, GWL_STYLE);
    EXPECT_TRUE(style & WS_SYSMENU) << "a close box";
    EXPECT_FALSE(style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX));
    EXPECT_EQ(bars_.owner, GetWindow(dialog_, GW_OWNER));
    RECT r = RectOf(dialog_);
    EXPECT_NEAR(512, (r.left + r.right) / 2, 2) << "centred";

    EXPECT_EQ("OK", TextOf(Item(IDOK)));
    EXPECT_EQ("Cancel", TextOf(Item(IDCANCEL)));
    EXPECT_EQ("...", TextOf(Item(COLOR_BUTTON)));
    EXPECT_EQ("Left", TextOf(Item(EDGE_LEFT)));
    EXPECT_EQ("Right", TextOf(Item(EDGE_RIGHT)));
    EXPECT_EQ("Top", TextOf(Item(EDGE_TOP)));
    EXPECT_EQ("Bottom", TextOf(Item(EDGE_BOTTOM)));
    std::vector<std::string> texts;
    for (HWND child : ChildWindows(dialog_))
        texts.push_back(TextOf(child));
    for (const char *expected :
         {"Color:", "Width:", "Alpha:", BRELLOX_ABOUT_TEXT, "Edges:", "Display",
          "About:", "Margins:", "Doubleclick, Drag&&Drop:", "..wiper and have icon grid times", "uncovered!"})
        EXPECT_NE(texts.end(), std::find(texts.begin(), texts.end(), expected)) << expected;

    EXPECT_EQ(3, Value(WIDTH_FIELD));
    EXPECT_EQ(20, Value(ALPHA_FIELD));
    EXPECT_EQ(10, Value(OFFSET_FIELD));
    EXPECT_EQ(4, Value(OPENWIDTH_FIELD));
    EXPECT_TRUE(Ticked(EDGE_LEFT));
    EXPECT_FALSE(Ticked(EDGE_RIGHT));
    EXPECT_FALSE(Ticked(EDGE_TOP));
    EXPECT_TRUE(Ticked(EDGE_BOTTOM));
    GUITHREADINFO gui = {};
    gui.cbSize = sizeof(gui);
    GetGUIThreadInfo(GetWindowThreadProcessId(dialog_, NULL), &gui);
    EXPECT_EQ(Item(IDOK), gui.hwndFocus) << "the focus rests on OK";
    EXPECT_TRUE(WaitUntil([&] { return SwatchColour() == RGB(10, 20, 30); }, kStartTimeoutMs));

    EXPECT_EQ(std::vector<std::string>(), ClippedLabels(dialog_));
    SaveScreenshotFor("options-english.bmp");
    ClickWindow(Item(IDCANCEL));
    EXPECT_TRUE(Ended());
}

TEST_F(Options, SpinnersStopAtTheirBounds)
{
    StartHost("[Brellox]\r\nWidth=9\r\nAlpha=98\r\nOffset=381\r\nOpenWidth=9\r\n");
    OpenDialog();
    const struct {
        int field;
        int lowest, highest;
    } values[] = {{WIDTH_FIELD, 1, 10}, {ALPHA_FIELD, 0, 100}, {OFFSET_FIELD, 0, 383}, {OPENWIDTH_FIELD, 0, 10}};
    for (const auto &v : values) {
        SCOPED_TRACE(v.field);
        Step(v.field, VK_UP, 4);
        EXPECT_TRUE(WaitForValue(v.field, v.highest)) << Value(v.field);
        Step(v.field, VK_DOWN, v.highest - v.lowest + 3);
        EXPECT_TRUE(WaitForValue(v.field, v.lowest)) << Value(v.field);
    }
    // And with the mouse: the upper arrow of the Width spinner.
    RECT arrows = RectOf(Item(WIDTH_SPIN));
    Click((arrows.left + arrows.right) / 2, arrows.top + 3);
    EXPECT_TRUE(WaitForValue(WIDTH_FIELD, 2));
    ClickWindow(Item(IDCANCEL));
    EXPECT_TRUE(Ended());
}

TEST_F(Options, OkWithoutAnEdgeWarnsAndChangesNothing)
{
    const std::string settings = "[Brellox]\r\nLeft=0\r\nWidth=4\r\n";
    StartHost(settings);
    OpenDialog();
    ClickWindow(Item(IDOK));
    HWND warning = NULL;
    ASSERT_TRUE(WaitUntil([&] { return (warning = FindDialog("Brellox", dialog_)) != NULL; }, kStartTimeoutMs));
    std::vector<std::string> texts;
    int buttons = 0, icons = 0;
    for (HWND child : ChildWindows(warning)) {
        char className[16] = "";
        GetClassNameA(child, className, sizeof(className));
        buttons += lstrcmpiA(className, "Button") == 0 && IsWindowVisible(child);
        icons += lstrcmpiA(className, "Static") == 0 && (GetWindowLongA(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON;
        texts.push_back(TextOf(child));
    }
    EXPECT_NE(texts.end(), std::find(texts.begin(), texts.end(), "Check edges more than one."));
    EXPECT_EQ(1, buttons);
    EXPECT_EQ(1, icons) << "the error icon";

    ClickWindow(GetDlgItem(warning, IDOK));
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(warning); }, kStartTimeoutMs));
    EXPECT_TRUE(IsWindowVisible(dialog_)) << "the dialog stays open";
    EXPECT_EQ(4, Value(WIDTH_FIELD));
    EXPECT_EQ(settings, ReadTextFile(IniPath()));
    ClickWindow(Item(IDCANCEL));
    EXPECT_TRUE(Ended());
}

TEST_F(Options, OkRewritesTheWholeFileWithNormalisedValues)
{
    StartHost("[Brellox]\r\nLeft=7\r\nColor=300,0,0\r\nOpenWidth=15\r\nOffset=384\r\n");
    OpenDialog();
    EXPECT_EQ(10, Value(OPENWIDTH_FIELD));
    EXPECT_EQ(383, Value(OFFSET_FIELD));
    ClickWindow(Item(IDOK));
    ASSERT_TRUE(Ended());
    // Keys already in the file keep their lines; the others follow them.
    std::vector<std::string> expected = {"[Brellox]", "Left=1",  "Right=0",    "Top=0",        "Bottom=0",
                                         "Width=2",   "Alpha=0", "Offset=383", "OpenWidth=10", "Color=44,0,0"};
    std::vector<std::string> written = Lines(ReadTextFile(IniPath()));
    std::sort(expected.begin(), expected.end());
    std::sort(written.begin(), written.end());
    EXPECT_EQ(expected, written);
    EXPECT_TRUE(ComesTo(bars_.bars[EdgeLeft], {0, 383, 2, 385}));
}

TEST_F(Options, OkAppliesColourThicknessMarginsAndEdgesAtOnce)
{
    StartHost("[Brellox]\r\n");
    OpenDialog();
    Step(WIDTH_FIELD, VK_UP, 3);
    ASSERT_TRUE(WaitForValue(WIDTH_FIELD, 5));
    Step(OFFSET_FIELD, VK_UP, 10);
    ASSERT_TRUE(WaitForValue(OFFSET_FIELD, 10));
    ClickWindow(Item(EDGE_TOP));
    ASSERT_TRUE(WaitUntil([&] { return Ticked(EDGE_TOP); }, kStartTimeoutMs));
    PickColour(10, 200, 30);
    EXPECT_TRUE(WaitUntil([&] { return SwatchColour() == RGB(10, 200, 30); }, kStartTimeoutMs))
        << "the swatch shows the picked colour at once";
    EXPECT_TRUE(HasRect(bars_.bars[EdgeLeft], {0, 0, 2, 768})) << "the bars wait for OK";

    ClickWindow(Item(IDOK));
    ASSERT_TRUE(Ended());
    for (HWND bar : bars_.bars)
        EXPECT_NE(bar, GetForegroundWindow()) << "OK activates no bar";
    EXPECT_TRUE(ComesTo(bars_.bars[EdgeLeft], {0, 10, 5, 758}));
    EXPECT_TRUE(ComesTo(bars_.bars[EdgeTop], {10, 0, 1014, 5}));
    EXPECT_TRUE(IsWindowVisible(bars_.bars[EdgeTop]));
    EXPECT_TRUE(WaitUntil([] { return ScreenPixel(2, 384) == RGB(10, 200, 30); }, kStartTimeoutMs));
    EXPECT_EQ("Color=10,200,30", Lines(ReadTextFile(IniPath())).back());
}

TEST_F(Options, OkAppliesTheTransparency)
{
    StartHost("[Brellox]\r\n");
    OpenDialog();
    Step(ALPHA_FIELD, VK_UP, 50);
    ASSERT_TRUE(WaitForValue(ALPHA_FIELD, 50));
    ClickWindow(Item(IDOK));
    ASSERT_TRUE(Ended());
    BYTE alpha = 0;
    EXPECT_TRUE(
        WaitUntil([&] { return GetLayeredWindowAttributes(bars_.bars[EdgeLeft], NULL, &alpha, NULL) && alpha == 127; },
                  kStartTimeoutMs));
}

// 0: the Cancel button, 1: the Esc key, 2: the caption's close box.
class Dismiss : public Options, public ::testing::WithParamInterface<int> {};

TEST_P(Dismiss, ChangesNothingEvenAfterAColourWasPicked)
{
    const std::string settings = "[Brellox]\r\nLeft=1\r\nWidth=3\r\nColor=0,0,255\r\n";
    StartHost(settings);
    ASSERT_TRUE(WaitUntil([] { return ScreenPixel(1, 384) == RGB(0, 0, 255); }, kStartTimeoutMs));
    OpenDialog();
    // Every change is seen made before the dialog is dismissed: only then does
    // "changes nothing" say anything.
    ClickWindow(Item(EDGE_TOP));
    ASSERT_TRUE(WaitUntil([&] { return Ticked(EDGE_TOP); }, kStartTimeoutMs)) << "the Top box ticked";
    Step(WIDTH_FIELD, VK_UP, 2);
    ASSERT_TRUE(WaitForValue(WIDTH_FIELD, 5));
    PickColour(200, 10, 10);
    ASSERT_TRUE(WaitUntil([&] { return SwatchColour() == RGB(200, 10, 10); }, kStartTimeoutMs))
        << "the picked colour shown";

    if (GetParam() == 0) {
        ClickWindow(Item(IDCANCEL));
    } else if (GetParam() == 1) {
        PressKey(VK_ESCAPE);
    } else {
        RECT r = RectOf(dialog_);
        const int caption = GetSystemMetrics(SM_CYCAPTION);
        Click(r.right - GetSystemMetrics(SM_CXFRAME) - caption / 2 - 1,
              r.top + GetSystemMetrics(SM_CYFRAME) + caption / 2);
    }
    ASSERT_TRUE(Ended());
    EXPECT_EQ(settings, ReadTextFile(IniPath()));
    EXPECT_TRUE(HasRect(bars_.bars[EdgeLeft], {0, 0, 3, 768}));
    EXPECT_FALSE(IsWindowVisible(bars_.bars[EdgeTop]));
    EXPECT_TRUE(HoldsFor([] { return ScreenPixel(1, 384) == RGB(0, 0, 255); }, 300)) << "the bars keep their colour";

    // The next dialog starts from the settings' colour again.
    OpenDialog();
    EXPECT_TRUE(WaitUntil([&] { return SwatchColour() == RGB(0, 0, 255); }, kStartTimeoutMs));
    EXPECT_EQ(3, Value(WIDTH_FIELD));
    ClickWindow(Item(IDCANCEL));
    EXPECT_TRUE(Ended());
}

// The swatch's brush, asked for the way a repaint asks for it: each repaint
// releases the brush before it, and the end of the dialog the last one. The
// window system's handle table says whether a brush still exists.
TEST_F(Options, TheSwatchHoldsOneBrushAndNoneOnceTheDialogEnds)
{
    StartHost("[Brellox]\r\nColor=10,20,30\r\n");
    OpenDialog();
    HWND swatch = Item(SWATCH);
    HDC dc = GetDC(swatch);
    std::vector<HGDIOBJ> brushes;
    for (int repaint = 0; repaint < 3; ++repaint)
        brushes.push_back(reinterpret_cast<HGDIOBJ>(
            SendMessageA(dialog_, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(swatch))));
    ReleaseDC(swatch, dc);
    EXPECT_EQ(0u, GetObjectType(brushes[0]));
    EXPECT_EQ(0u, GetObjectType(brushes[1]));
    EXPECT_EQ(static_cast<DWORD>(OBJ_BRUSH), GetObjectType(brushes[2]));
    LOGBRUSH logBrush = {};
    GetObject(brushes[2], sizeof(logBrush), &logBrush);
    EXPECT_EQ(RGB(10, 20, 30), logBrush.lbColor);

    PickColour(200, 100, 50);
    EXPECT_TRUE(WaitUntil([&] { return SwatchColour() == RGB(200, 100, 50); }, kStartTimeoutMs));
    EXPECT_EQ(0u, GetObjectType(brushes[2])) << "the repaint after the pick released it";
    dc = GetDC(swatch);
    HGDIOBJ last = reinterpret_cast<HGDIOBJ>(
        SendMessageA(dialog_, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(swatch)));
    ReleaseDC(swatch, dc);
    EXPECT_EQ(static_cast<DWORD>(OBJ_BRUSH), GetObjectType(last));
    ClickWindow(Item(IDCANCEL));
    ASSERT_TRUE(Ended());
    EXPECT_TRUE(WaitUntil([&] { return GetObjectType(last) == 0; }, kStartTimeoutMs))
        << "the last brush outlived the dialog";
}

INSTANTIATE_TEST_SUITE_P(CancelEscCloseBox, Dismiss, ::testing::Range(0, 3));

TEST_F(Options, WithoutLayeredWindowsAlphaIsDisabledAndSavedUnchanged)
{
    StartHost("[Brellox]\r\nAlpha=37\r\n", false);
    OpenDialog();
    EXPECT_FALSE(IsWindowEnabled(Item(ALPHA_FIELD)));
    EXPECT_FALSE(IsWindowEnabled(Item(ALPHA_SPIN)));
    EXPECT_TRUE(IsWindowEnabled(Item(WIDTH_SPIN)));
    EXPECT_EQ(37, Value(ALPHA_FIELD));
    ClickWindow(Item(IDOK));
    ASSERT_TRUE(Ended());
    const std::vector<std::string> lines = Lines(ReadTextFile(IniPath()));
    EXPECT_NE(lines.end(), std::find(lines.begin(), lines.end(), "Alpha=37"));
}

// 0: the file has the read-only attribute; 1: another program holds it open
// and lets nobody write to it.
class UnwritableFile : public Options, public ::testing::WithParamInterface<int> {
protected:
    void TearDown() override
    {
        if (brellox_)
            SetFileAttributesA(IniPath().c_str(), FILE_ATTRIBUTE_NORMAL);
        if (GetSystemMetrics(SM_CXSCREEN) != 1024) {
            EXPECT_TRUE(ChangeScreenSize(1024, 768)) << "the display back at the size every test expects";
        }
        Options::TearDown();
    }
};

// OK says which file could not be written and why, in a message box the dialog
// waits for; then the choice applies for this run as a save and a reload would
// have made it, and the file is left as it was.
TEST_P(UnwritableFile, OkTellsWhichFileAndWhyAndTheSettingsApplyForThisRun)
{
    const std::string settings = "[Brellox]\r\nLeft=7\r\nWidth=3\r\nColor=0,0,255\r\n";
    StartHost(settings);
    if (GetParam() == 0)
        ASSERT_TRUE(SetFileAttributesA(IniPath().c_str(), FILE_ATTRIBUTE_READONLY));
    else
        HoldSettingsFile();
    if (SettingsFileWritable()) {
        // Wine run as root opens a read-only file for writing all the same.
        ASSERT_EQ(0, GetParam()) << "the holder lets no one write";
        GTEST_SKIP() << "the read-only attribute does not keep this user from writing the file; the case of a file "
                        "another program holds covers a save that cannot write";
    }

    HWND box = ConfirmWidthFiveAndTop();
    ASSERT_NE(HWND(NULL), box);
    EXPECT_EQ(dialog_, GetWindow(box, GW_OWNER));
    const std::string message = MessageBoxText(box);
    EXPECT_EQ(0u, message.find("The settings could not be written to " + IniPath() + ":\r\n")) << message;
    EXPECT_NE(std::string::npos, message.find("\r\nThe new settings apply until Brellox ends.")) << message;
    HWND icon = NULL;
    for (HWND child : ChildWindows(box)) {
        if ((GetWindowLongA(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON)
            icon = child;
    }
    EXPECT_EQ(LoadIconA(NULL, IDI_ERROR), reinterpret_cast<HICON>(SendMessageA(icon, STM_GETICON, 0, 0)))
        << "the error icon";
    EXPECT_TRUE(IsWindowVisible(dialog_)) << "the dialog waits for the message box";
    SaveScreenshotFor("options-save-failure.bmp");
    ASSERT_TRUE(DismissAndEnd(box));
    EXPECT_TRUE(Answers(bars_.owner));

    // Left=7 ticked the box, which stores 1; the missing Alpha loads as 0.
    const Settings confirmed = {1, 0, 1, 0, 5, 0, 0, 0, 255, 0, 2};
    EXPECT_EQ(0, memcmp(&confirmed, &g_Settings, sizeof(Settings)))
        << "Left " << g_Settings.Left << ", Top " << g_Settings.Top << ", Width " << g_Settings.Width;
    EXPECT_TRUE(ComesTo(bars_.bars[EdgeLeft], {0, 0, 5, 768}));
    EXPECT_TRUE(IsWindowVisible(bars_.bars[EdgeTop]));
    EXPECT_TRUE(ComesTo(bars_.bars[EdgeTop], {0, 0, 1024, 5}));
    EXPECT_TRUE(WaitUntil([] { return ScreenPixel(1, 384) == RGB(0, 0, 255); }, kStartTimeoutMs));
    EXPECT_EQ(settings, ReadTextFile(IniPath()));

    // A change of the display applies the settings again at the new size:
    // those OK confirmed, not the old file's.
    ASSERT_TRUE(ChangeScreenSize(800, 600));
    EXPECT_TRUE(ComesTo(bars_.bars[EdgeLeft], {0, 0, 5, 600}));
    EXPECT_TRUE(IsWindowVisible(bars_.bars[EdgeTop]));
    EXPECT_EQ(5, g_Settings.Width);
}

INSTANTIATE_TEST_SUITE_P(ReadOnlyOrHeldOpen, UnwritableFile, ::testing::Range(0, 2));

// The current directory changes while the dialog is up to one too long to name
// the settings file in: OK says so, and the settings apply for this run.
TEST_F(Options, OkInAFolderTooLongToNameTheFileSaysSo)
{
    const std::string settings = "[Brellox]\r\nWidth=3\r\n";
    StartHost(settings);
    const std::string dir = MakeLongDirectory();
    ASSERT_EQ(250u, dir.size());
    ASSERT_TRUE(SetCurrentDirectoryA(dir.c_str())) << dir;

    HWND box = ConfirmWidthFiveAndTop();
    ASSERT_NE(HWND(NULL), box);
    EXPECT_EQ("The settings could not be written: the current folder's path is too long to name the settings "
              "file.\r\nThe new settings apply until Brellox ends.",
              MessageBoxText(box));
    ASSERT_TRUE(DismissAndEnd(box));
    EXPECT_EQ(5, g_Settings.Width);
    EXPECT_EQ(1, g_Settings.Top);
    EXPECT_TRUE(ComesTo(bars_.bars[EdgeLeft], {0, 0, 5, 768}));
    EXPECT_EQ(settings, ReadTextFile(IniPath()));
}

// Run on its own under LC_ALL=ja_JP.UTF-8.
class JapaneseOptions : public Options {};

TEST_F(JapaneseOptions, TheJapaneseTemplateAndWarning)
{
    StartHost("[Brellox]\r\nLeft=0\r\n");
    OpenDialog();
    EXPECT_EQ(30u, ChildWindows(dialog_).size());
    EXPECT_EQ(L"適用", WideTextOf(Item(IDOK)));
    EXPECT_EQ(L"キャンセル", WideTextOf(Item(IDCANCEL)));
    EXPECT_EQ(L"変更", WideTextOf(Item(COLOR_BUTTON)));
    EXPECT_EQ(L"上", WideTextOf(Item(EDGE_TOP)));
    std::vector<std::wstring> texts;
    for (HWND child : ChildWindows(dialog_))
        texts.push_back(WideTextOf(child));
    for (const wchar_t *expected : {L"ドットあける", L"アイコン", L"個分ワイプする",
                                    L"ドラッグ＆ドロップ・ダブルクリックで", L"について：", L"四隅を"})
        EXPECT_NE(texts.end(), std::find(texts.begin(), texts.end(), expected));
    EXPECT_EQ(std::vector<std::string>(), ClippedLabels(dialog_));
    SaveScreenshotFor("options-japanese.bmp");

    ClickWindow(Item(IDOK));
    HWND warning = NULL;
    ASSERT_TRUE(WaitUntil([&] { return (warning = FindDialog("Brellox", dialog_)) != NULL; }, kStartTimeoutMs));
    std::vector<std::wstring> warningTexts;
    for (HWND child : ChildWindows(warning))
        warningTexts.push_back(WideTextOf(child));
    EXPECT_NE(warningTexts.end(),
              std::find(warningTexts.begin(), warningTexts.end(), L"場所は上下左右のどれかにチェックを入れてください"));
    SaveScreenshotFor("options-japanese-warning.bmp");
    ClickWindow(GetDlgItem(warning, IDOK));
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(warning); }, kStartTimeoutMs));
    ClickWindow(Item(IDCANCEL));
    EXPECT_TRUE(Ended());
}

TEST_F(JapaneseOptions, ASaveThatCannotWriteSaysSoInJapaneseNamingTheFile)
{
    const std::string settings = "[Brellox]\r\nWidth=3\r\n";
    StartHost(settings);
    HoldSettingsFile();
    ASSERT_FALSE(SettingsFileWritable());

    HWND box = ConfirmWidthFiveAndTop();
    ASSERT_NE(HWND(NULL), box);
    const std::wstring message = Wide(MessageBoxText(box));
    EXPECT_EQ(0u, message.find(L"設定を " + Wide(IniPath()) + L" に書き込めませんでした：\r\n"));
    EXPECT_NE(std::wstring::npos, message.find(L"\r\n新しい設定は Brellox を終了するまで有効です。"));
    SaveScreenshotFor("options-japanese-save-failure.bmp");
    ASSERT_TRUE(DismissAndEnd(box));
    EXPECT_EQ(5, g_Settings.Width);
    EXPECT_EQ(1, g_Settings.Top);
    EXPECT_EQ(settings, ReadTextFile(IniPath()));
}

} // namespace
