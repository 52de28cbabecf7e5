// The headless demo: sample windows piled over the left screen edge, Brellox
// started beside them, and screenshots of what the screen shows.
//
//   brellox_demo.exe OUTPUT_FOLDER
#include "harness.h"

#include <cstdio>

namespace {

HWND CreateSample(int index, int x, int y, int width, int height)
{
    char title[32];
    std::snprintf(title, sizeof(title), "Sample window %d", index);
    return CreateSampleWindow({x, y, x + width, y + height}, title);
}

bool Shoot(const std::string &folder, const char *name)
{
    PumpMessages();
    std::string path = folder + "\\" + name;
    bool ok = SaveScreenshot(path);
    std::printf("%s %s\n", ok ? "screenshot" : "could not save", path.c_str());
    return ok;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: brellox_demo OUTPUT_FOLDER\n");
        return 2;
    }
    const std::string folder = argv[1];

    HWND first = CreateSample(1, -40, 40, 360, 240);
    CreateSample(2, 20, 230, 420, 260);
    CreateSample(3, 90, 450, 380, 240);
    CreateSample(4, 600, 420, 360, 240);

    EndAllBrellox();
    BrelloxProcess brellox(MakeScratchDirectory("demo"));
    BrelloxWindows windows = brellox.WaitForWindows();
    if (!windows.Complete()) {
        std::fprintf(stderr, "Brellox did not start: %s\n", BrelloxExePath().c_str());
        return 1;
    }
    WaitForRect(windows.bars[0], {0, 0, 2, 768});
    std::printf("Brellox is running: the yellow bar on the left edge\n");
    bool ok = Shoot(folder, "1-started.bmp");

    // A double-click on the left bar: the bar slides inward by two icon cells
    // and pushes the windows out of the strip.
    DoubleClick(1, 300);
    const bool opened = WaitUntil([&] { return RectOf(windows.bars[0]).left == 150; }, kStartTimeoutMs) &&
                        WaitUntil([&] { return RectOf(first).left == 150; }, kStartTimeoutMs);
    std::printf(opened ? "a double-click on the left bar: the strip is cleared\n" : "the left bar did not open\n");
    ok = Shoot(folder, "2-strip-cleared.bmp") && opened && ok;

    // A click on one of the pushed windows puts everything back.
    const RECT pushed = RectOf(first);
    Click((pushed.left + pushed.right) / 2, (pushed.top + pushed.bottom) / 2);
    const bool restored = WaitUntil([&] { return RectOf(first).left == -40; }, kStartTimeoutMs) &&
                          WaitUntil([&] { return RectOf(windows.bars[0]).left == 0; }, kStartTimeoutMs);
    std::printf(restored ? "a click on a window: everything is back\n" : "nothing was put back\n");
    ok = Shoot(folder, "3-restored.bmp") && restored && ok;

    EndAllBrellox();
    return ok ? 0 : 1;
}
