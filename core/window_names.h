// The names Brellox's windows are known by: the class all of them share, and
// each window's name. A newer copy finds a running one by the class.
#ifndef BRELLOX_WINDOW_NAMES_H
#define BRELLOX_WINDOW_NAMES_H

#include "edges.h"

#define BRELLOX_CLASS_NAME "CBrellox"
#define BRELLOX_OWNER_NAME "Brellox"

// The window name of every bar of that edge, on any monitor.
inline const char *BarName(Edge edge)
{
    static const char *const names[EDGE_COUNT] = {"BrelloxLeft", "BrelloxRight", "BrelloxTop", "BrelloxBottom"};
    return names[edge];
}

#endif
