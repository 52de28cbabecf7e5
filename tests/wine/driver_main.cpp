// The driver's entry. Brellox's code run on a thread of the driver starts
// "this program" with the Start with Windows switch to write its shortcut, as
// Brellox.exe starts itself: the driver then does what Brellox.exe does.
#include "app/startup_shortcut.h"
#include "app/startup_shortcut_win32.h"

#include <gtest/gtest.h>

int main(int argc, char **argv)
{
    if (argc == 2 && IsStartWithWindowsSwitch(argv[1]))
        return MakeStartupShortcut(GetModuleHandleA(NULL));
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
