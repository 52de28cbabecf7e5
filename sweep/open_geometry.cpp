#include "open_geometry.h"

#include "../platform/wrap_int.h"

OpenPlan OpenEdgeGeometry(Edge edge, int iconSpacing, int openWidth, const RECT &monitor, int offset)
{
    const LONG d = WrapMul(iconSpacing, openWidth);
    const RECT &m = monitor;
    switch (edge) {
    case EdgeLeft:
        return {{WrapAdd(m.left, d), WrapAdd(m.top, offset)}, WrapAdd(m.left, d)};
    case EdgeRight:
        return {{WrapSub(m.right, d), WrapAdd(m.top, offset)}, WrapSub(m.right, d)};
    case EdgeTop:
        return {{WrapAdd(m.left, offset), WrapAdd(m.top, d)}, WrapAdd(m.top, d)};
    default:
        return {{WrapAdd(m.left, offset), WrapSub(m.bottom, d)}, WrapSub(m.bottom, d)};
    }
}

LONG DragEndLine(Edge edge, const RECT &bar)
{
    switch (edge) {
    case EdgeLeft:
        return bar.right;
    case EdgeRight:
        return bar.left;
    case EdgeTop:
        return bar.bottom;
    default:
        return bar.top;
    }
}
