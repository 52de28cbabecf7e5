#include "sweep_verdict.h"

#include "../core/shell_classes.h"
#include "../platform/wrap_int.h"

namespace {

// SW_MINIMIZE; only this show command counts as minimised.
const UINT kShowMinimize = 6;
const UINT kShowNormal = 1;

bool WhollyBeyondEdge(Edge edge, const RECT &r, const RECT &monitor)
{
    switch (edge) {
    case EdgeLeft:
        return r.right < monitor.left;
    case EdgeRight:
        return r.left > monitor.right;
    case EdgeTop:
        return r.bottom < monitor.top;
    default:
        return r.top > monitor.bottom;
    }
}

// Whether the window lies alongside the monitor's edge: its rows overlap the
// monitor's for the left and right edges, its columns for the top and bottom.
bool AlongsideEdge(Edge edge, const RECT &r, const RECT &monitor)
{
    if (edge == EdgeLeft || edge == EdgeRight)
        return r.top < monitor.bottom && monitor.top < r.bottom;
    return r.left < monitor.right && monitor.left < r.right;
}

// Whether the window lies wholly past the monitor's far side from that edge:
// on a neighbouring monitor, where no open of this bar may reach.
bool BeyondFarSide(Edge edge, const RECT &r, const RECT &monitor)
{
    switch (edge) {
    case EdgeLeft:
        return r.left >= monitor.right;
    case EdgeRight:
        return r.right <= monitor.left;
    case EdgeTop:
        return r.top >= monitor.bottom;
    default:
        return r.bottom <= monitor.top;
    }
}

bool ReachesStrip(Edge edge, const RECT &r, LONG line)
{
    switch (edge) {
    case EdgeLeft:
        return r.left <= line;
    case EdgeRight:
        return r.right >= line;
    case EdgeTop:
        return r.top <= line;
    default:
        return r.bottom >= line;
    }
}

// The window keeps its size; its edge on the sweep's side goes onto the line.
SweepVerdict MoveTo(SweepAction action, Edge edge, const RECT &r, LONG line)
{
    switch (edge) {
    case EdgeLeft:
        return {action, line, r.top, FactNone};
    case EdgeRight:
        return {action, WrapSub(WrapAdd(r.left, line), r.right), r.top, FactNone};
    case EdgeTop:
        return {action, r.left, line, FactNone};
    default:
        return {action, r.left, WrapSub(WrapAdd(r.top, line), r.bottom), FactNone};
    }
}

SweepVerdict Ask(WindowFact fact)
{
    return {AskFact, 0, 0, fact};
}

} // namespace

bool LeftAloneByKind(const CandidateWindow &candidate)
{
    const DWORD clickThrough = kExLayered | kExTransparent;
    return IsShellClass(candidate.className) || candidate.cloaked || (candidate.exStyle & clickThrough) == clickThrough;
}

SweepVerdict SweepWindow(Edge edge, LONG line, const CandidateWindow &candidate, const SweepWorld &world)
{
    const SweepVerdict leave = {Leave, 0, 0, FactNone};
    if (candidate.hwnd == NULL)
        return leave;
    for (int bar = 0; bar < BAR_SLOTS; ++bar) {
        if (candidate.hwnd == world.bars[bar])
            return leave;
    }
    if (!(candidate.known & FactVisible))
        return Ask(FactVisible);
    if (!candidate.visible || candidate.hwnd == world.desktop || candidate.hwnd == world.shell)
        return leave;
    if (!(candidate.known & FactRect))
        return Ask(FactRect);
    // A window whose rectangle cannot be read (one destroyed while the sweep
    // runs, say) gives nothing to judge or to move it by: it is left alone.
    if (!candidate.rectRead)
        return leave;
    const RECT &r = candidate.rect;
    if (world.alongMonitorOnly && (!AlongsideEdge(edge, r, world.monitor) || BeyondFarSide(edge, r, world.monitor)))
        return leave;
    if (WhollyBeyondEdge(edge, r, world.monitor))
        return leave;
    if (r.top == r.bottom || r.left == r.right)
        return leave;
    // The rules after the placement only ever leave a window that is not
    // recorded and does not reach the strip, or finds no free slot; such a
    // window is left whatever its placement, so that question is not asked.
    MovedWindowTable &table = *world.table;
    const bool recorded = IsRecorded(table, candidate.hwnd);
    if (!recorded && (!ReachesStrip(edge, r, line) || table.count >= MOVED_WINDOW_SLOTS))
        return leave;
    if (!(candidate.known & FactPlacement))
        return Ask(FactPlacement);
    if (candidate.showCmd == kShowMinimize)
        return leave;
    if (!(candidate.known & FactKind))
        return Ask(FactKind);
    if (LeftAloneByKind(candidate) || (world.leave != NULL && LeaveListNames(*world.leave, candidate.className)))
        return leave;
    if (!(candidate.known & FactProgram))
        return Ask(FactProgram);
    if (candidate.programListed)
        return leave;
    // Moving a window whose thread does not answer would hold the sweep, and
    // every bar with it, until it answers again, which may be never.
    if (!(candidate.known & FactAnswers))
        return Ask(FactAnswers);
    if (!candidate.answers)
        return leave;
    if (recorded)
        return MoveTo(Realign, edge, r, line);

    AddMovedWindow(&table, MovedWindow{candidate.hwnd, r.left, r.top, NormalState(candidate.style)});
    return MoveTo(RecordAndMove, edge, r, line);
}

bool NormalState(DWORD style)
{
    return (style & (kStyleMinimize | kStyleMaximize)) == 0;
}

CandidateWindow ListedWindow(HWND hwnd, const RECT &rect, DWORD style, bool answers)
{
    CandidateWindow candidate = {};
    candidate.hwnd = hwnd;
    candidate.known = ALL_WINDOW_FACTS;
    candidate.visible = true;
    candidate.rectRead = true;
    candidate.rect = rect;
    candidate.showCmd = kShowNormal;
    candidate.style = style;
    candidate.answers = answers;
    return candidate;
}
