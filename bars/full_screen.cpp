#include "full_screen.h"

#include "../core/shell_classes.h"

bool IsFullScreen(const FrontWindow &front)
{
    if (front.exempt || IsIconHostClass(front.className))
        return false;
    const RECT &r = front.rect;
    const RECT &m = front.monitor;
    const bool covers = r.left <= m.left && r.top <= m.top && r.right >= m.right && r.bottom >= m.bottom;
    return covers && !front.zoomed && (front.style & kStyleCaption) != kStyleCaption;
}
