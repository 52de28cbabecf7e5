// The headless demo of the errand Brellox is for: shortcuts on the desktop,
// windows piled over their icons and Brellox with a bar on the top edge; then
// a double-click on the bar uncovers the icons, a click on one leaves the
// windows away, and a double-click on it starts its program and puts the
// windows back. Each step is a screenshot, named in OUTPUT_FOLDER\captions.txt
// with what it shows and where the user clicked (x,y; none for no click).
//
//   brellox_demo.exe OUTPUT_FOLDER
#include "desktop.h"
#include "harness.h"

#include <cstdio>

namespace {

const RECT kIconRow = {4, 4, 1000, 110};

std::string g_folder;

bool Shoot(const char *name, const char *caption, POINT click = {-1, -1})
{
    PumpMessages();
    const std::string path = g_folder + "\\" + name + ".bmp";
    const bool ok = SaveScreenshot(path);
    std::printf("%s: %s\n", ok ? "screenshot" : "could not save", path.c_str());
    FILE *captions = std::fopen((g_folder + "\\captions.txt").c_str(), "ab");
    if (captions != NULL) {
        if (click.x < 0)
            std::fprintf(captions, "%s\t%s\tnone\n", name, caption);
        else
            std::fprintf(captions, "%s\t%s\t%ld,%ld\n", name, caption, click.x, click.y);
        std::fclose(captions);
    }
    return ok;
}

bool Step(bool done, const char *what)
{
    std::printf("%s%s\n", done ? "" : "failed: ", what);
    return done;
}

bool NotepadInFront()
{
    char className[16] = "";
    GetClassNameA(GetForegroundWindow(), className, sizeof(className));
    return lstrcmpA(className, "Notepad") == 0;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: brellox_demo OUTPUT_FOLDER\n");
        return 2;
    }
    g_folder = argv[1];
    EndAllBrellox();

    DesktopShortcuts shortcuts({{"Notepad", "C:\\windows\\system32\\notepad.exe"},
                                {"Minesweeper", "C:\\windows\\system32\\winemine.exe"},
                                {"WordPad", "C:\\Program Files\\Windows NT\\Accessories\\wordpad.exe"},
                                {"Files", "C:\\windows\\system32\\winefile.exe"}},
                               kIconRow);
    const std::vector<RECT> icons = shortcuts.Icons();
    if (!Step(icons.size() == 4, "four shortcuts on the desktop"))
        return 1;
    bool ok = true;

    const RECT at[4] = {{-30, 10, 430, 300}, {170, 50, 670, 370}, {420, 20, 900, 320}, {80, 420, 620, 720}};
    const char *titles[4] = {"Mail", "Report - Editor", "Browser", "Spreadsheet"};
    HWND windows[4];
    for (int i = 0; i < 4; ++i)
        windows[i] = CreateSampleWindow(at[i], titles[i]);
    auto pushed = [&] {
        for (int i = 0; i < 3; ++i) {
            if (RectOf(windows[i]).top != 150)
                return false;
        }
        return true;
    };
    auto home = [&] {
        for (int i = 0; i < 4; ++i) {
            if (!SameRect(RectOf(windows[i]), at[i]))
                return false;
        }
        return true;
    };

    const std::string dir = MakeScratchDirectory("demo");
    WriteTextFile(dir + "\\Brellox.ini", "[Brellox]\r\nLeft=0\r\nTop=1\r\n");
    BrelloxProcess brellox(dir);
    const BrelloxWindows bars = brellox.WaitForWindows();
    if (!bars.Complete()) {
        std::fprintf(stderr, "Brellox did not start: %s\n", BrelloxExePath().c_str());
        return 1;
    }
    WaitForRect(bars.bars[2], {0, 0, 1024, 2});
    ok = Shoot("1-covered", "Windows cover the desktop icons; Brellox keeps a thin bar on the top edge.") && ok;

    const POINT onBar = {940, 1};
    DoubleClick(onBar.x, onBar.y);
    ok = Step(WaitUntil(pushed, kStartTimeoutMs), "a double-click on the top bar clears the strip") && ok;
    ok = Shoot("2-uncovered", "A double-click on the bar pushes every window out of the strip below it.", onBar) && ok;

    const POINT notepad = {(icons[0].left + icons[0].right) / 2, (icons[0].top + icons[0].bottom) / 2};
    Click(notepad.x, notepad.y);
    ok = Step(HoldsFor(pushed, 1000), "a click on the Notepad icon: the windows stay away") && ok;
    ok = Shoot("3-icon-clicked", "A click on an icon leaves the windows away: the icons stay within reach.", notepad) &&
         ok;

    DoubleClick(notepad.x, notepad.y);
    ok = Step(WaitUntil([&] { return NotepadInFront() && home(); }, kStartTimeoutMs),
              "a double-click starts Notepad in front and puts everything back") &&
         ok;
    ok = Shoot("4-program-started", "A double-click starts its program; every window goes back where it was.") && ok;

    CloseEveryNotepad();
    EndAllBrellox();
    return ok ? 0 : 1;
}
