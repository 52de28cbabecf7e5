#include "bar_geometry.h"

#include "../sweep/shell_classes.h"

BarRect RestRect(Edge edge, ScreenSize screen, int width, int offset)
{
    switch (edge) {
    case EdgeLeft:
        return {0, offset, width, screen.cy - 2 * offset};
    case EdgeRight:
        return {screen.cx - width, offset, width, screen.cy - 2 * offset};
    case EdgeTop:
        return {offset, 0, screen.cx - 2 * offset, width};
    default:
        return {offset, screen.cy - width, screen.cx - 2 * offset, width};
    }
}

BYTE AlphaByte(int alpha)
{
    if (alpha == 100)
        return 1;
    return static_cast<BYTE>((100 - alpha) * 255 / 100);
}

COLORREF BarColor(int r, int g, int b)
{
    return static_cast<COLORREF>((r & 0xFF) | (g & 0xFF) << 8 | (b & 0xFF) << 16);
}

void ConstrainMove(Edge edge, ScreenSize screen, int offset, RECT *rect)
{
    if (edge == EdgeLeft || edge == EdgeRight) {
        rect->top = offset;
        rect->bottom = screen.cy - offset;
    } else {
        rect->left = offset;
        rect->right = screen.cx - offset;
    }
}

bool IsFullScreen(const FrontWindow &front)
{
    if (front.exempt || IsIconHostClass(front.className))
        return false;
    const RECT &r = front.rect;
    const RECT &m = front.monitor;
    const bool covers = r.left <= m.left && r.top <= m.top && r.right >= m.right && r.bottom >= m.bottom;
    return covers && (front.style & kStyleCaption) != kStyleCaption;
}

bool BarOnMonitor(const BarRect &rest, const RECT &monitor)
{
    return rest.x >= monitor.left && rest.x < monitor.right && rest.y >= monitor.top && rest.y < monitor.bottom;
}
