#include "shell_classes.h"

namespace {

// Class names compare without regard to the case of ASCII letters, as the
// window system compares them.
bool SameClassName(const char *a, const char *b)
{
    for (;; ++a, ++b) {
        char x = *a, y = *b;
        if (x >= 'A' && x <= 'Z')
            x = static_cast<char>(x - 'A' + 'a');
        if (y >= 'A' && y <= 'Z')
            y = static_cast<char>(y - 'A' + 'a');
        if (x != y)
            return false;
        if (x == '\0')
            return true;
    }
}

} // namespace

bool IsIconHostClass(const char *className)
{
    return SameClassName(className, "Progman") || SameClassName(className, "WorkerW");
}

bool IsShellClass(const char *className)
{
    return IsIconHostClass(className) || SameClassName(className, "Shell_TrayWnd") ||
           SameClassName(className, "Shell_SecondaryTrayWnd");
}
