// The edges a bar lies on and the bar slots of the monitors: the words every
// floor of the program shares.
#ifndef BRELLOX_EDGES_H
#define BRELLOX_EDGES_H

// Every per-edge loop runs in this order.
enum Edge { EdgeLeft, EdgeRight, EdgeTop, EdgeBottom, EDGE_COUNT };

// The monitors that carry bars; others have none.
enum { MONITOR_SLOTS = 8, BAR_SLOTS = MONITOR_SLOTS * EDGE_COUNT };

// Bars are numbered by monitor and edge: monitor 0's left, right, top and
// bottom bars, then monitor 1's, and so on.
inline int BarSlot(int monitor, Edge edge)
{
    return monitor * EDGE_COUNT + edge;
}
inline Edge BarEdge(int bar)
{
    return static_cast<Edge>(bar % EDGE_COUNT);
}
inline int BarMonitor(int bar)
{
    return bar / EDGE_COUNT;
}

#endif
