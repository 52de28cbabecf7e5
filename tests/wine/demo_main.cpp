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

    CreateSample(1, -40, 40, 360, 240);
    CreateSample(2, 20, 230, 420, 260);
    CreateSample(3, 90, 450, 380, 240);

    EndAllBrellox();
    BrelloxProcess brellox(MakeScratchDirectory("demo"));
    BrelloxWindows windows = brellox.WaitForWindows();
    if (!windows.Complete()) {
        std::fprintf(stderr, "Brellox did not start: %s\n", BrelloxExePath().c_str());
        return 1;
    }
    std::printf("Brellox is running: its owner window and four bars exist\n");
    bool ok = Shoot(folder, "1-started.bmp");
    EndAllBrellox();
    return ok ? 0 : 1;
}
