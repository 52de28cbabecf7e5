#include "sweeps_win32.h"

#include "../core/state_win32.h"
#include "../platform/libraries_win32.h"
#include "restore_place.h"
#include "restore_targets.h"
#include "sweep_verdict.h"
#include "thread_answers.h"

namespace {

// How long a sweep or a restore waits, in all, for other programs: for their
// threads' answers and for its moves to show. An answering program handles a
// message in well under a millisecond, and one that is only busy for a moment
// under load still gets a hundred times that; longer would let frozen
// programs hold every bar for more than one watch period.
const DWORD kWaitBoundMs = 100;

const UINT kRealignFlags = SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOOWNERZORDER;
const UINT kRecordAndMoveFlags = SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE;

const WNDENUMPROC kSweeps[EDGE_COUNT] = {SweepLeft, SweepRight, SweepTop, SweepBottom};

// The windows pushed aside, and where restores sent windows whose programs
// have not carried the move out yet.
MovedWindowTable g_MovedWindows;
RestoreTargets g_RestoreTargets;
// The windows the last restore that had any put back, each with the place it
// gave it, and when.
MovedWindowTable g_LastRestore;
DWORD g_LastRestoreTick;

// What the sweep or restore under way has learnt of the threads it asked.
ThreadAnswers g_ThreadAnswers;
// When the sweep or restore under way began to wait for other programs.
DWORD g_WaitStart;

// A sweep or restore asks its questions as it meets the windows; the bound
// runs from the moment it has asked them all and starts to wait.
void StartWaitBound()
{
    g_WaitStart = GetTickCount();
}

// What is left of the bound; 0 once it is spent.
DWORD RemainingMs()
{
    const DWORD spent = GetTickCount() - g_WaitStart;
    return spent >= kWaitBoundMs ? 0 : kWaitBoundMs - spent;
}

VOID CALLBACK AnswerArrived(HWND, UINT, ULONG_PTR ticket, LRESULT)
{
    NoteAnswer(&g_ThreadAnswers, static_cast<unsigned>(ticket));
}

// Asks the window's thread, once per sweep or restore, whether it answers,
// without waiting: the answer comes while AwaitAnswers waits for all of them.
void AskThread(DWORD thread, HWND hwnd)
{
    if (thread == GetCurrentThreadId() || LookUpThreadAnswer(g_ThreadAnswers, thread) != ThreadNotAsked)
        return;
    const unsigned ticket = NoteThreadAsking(&g_ThreadAnswers, thread);
    // A thread the window system already counts as hung is not waited for,
    // nor one whose window is gone.
    if (ticket != 0 && (IsHungAppWindow(hwnd) || !SendMessageCallbackA(hwnd, WM_NULL, 0, 0, AnswerArrived, ticket)))
        NoteNoAnswer(&g_ThreadAnswers, ticket);
}

// Starts the bound and waits, within it, until every thread asked has
// answered; the rest count as silent from then on. Answers that came while
// the questions were still being asked are taken first. Messages sent to
// Brellox meanwhile are handled (the answers come with them); whatever would
// start another sweep or restore is put off until this one has ended.
void AwaitAnswers()
{
    StartWaitBound();
    MSG msg;
    PeekMessageA(&msg, NULL, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
    DWORD remaining;
    while (AnyThreadAsking(g_ThreadAnswers) && (remaining = RemainingMs()) > 0) {
        MsgWaitForMultipleObjects(0, NULL, FALSE, remaining, QS_SENDMESSAGE);
        PeekMessageA(&msg, NULL, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
    }
    SilenceUnanswered(&g_ThreadAnswers);
}

// Whether the window's thread answered. A thread past the memory's slots is
// asked on its own, within what is left of the bound, without letting in
// messages sent meanwhile.
bool Answered(DWORD thread, HWND hwnd)
{
    if (thread == GetCurrentThreadId())
        return true;
    if (thread == 0) // the window is gone
        return false;
    const ThreadAnswer known = LookUpThreadAnswer(g_ThreadAnswers, thread);
    if (known != ThreadNotAsked)
        return known == ThreadAnswered;
    DWORD_PTR result = 0;
    const DWORD remaining = RemainingMs();
    return remaining > 0 &&
           SendMessageTimeoutA(hwnd, WM_NULL, 0, 0, SMTO_BLOCK | SMTO_ABORTIFHUNG, remaining, &result) != 0;
}

// The last move posted to another thread's window, until it shows: its
// target, and the rectangle the window had when the move was posted.
RestoreTarget g_PostedMove;

// Whether the window's rectangle shows the move: the window is at its target,
// or its program has placed it otherwise, or it is gone.
bool MoveShows(const RestoreTarget &move)
{
    RECT r;
    return !GetWindowRect(move.hwnd, &r) || RestoreTargetReached(move, r);
}

// Waits, within the bound, for the answer of the last posted move's thread to
// a message that does nothing, asleep in the window system and without letting
// in messages sent meanwhile; then looks once at the window's rectangle. Where
// a thread handles what is sent to it in the order it came (Wine), the move
// has been carried out or declined by then: a window that keeps its place (a
// docked window, a program that vetoes moves) costs no more than an answer.
// Where a thread takes the messages sent to it before its posted ones
// (Windows), its answer comes just before it takes the move, which its
// program then carries out in the order its moves came; the rectangle is not
// watched until it shows, which for a window that declines would last the
// whole bound. A restore's move that has not shown keeps its target.
void FinishPostedMove()
{
    const RestoreTarget move = g_PostedMove;
    g_PostedMove.hwnd = NULL;
    if (move.hwnd == NULL)
        return;
    const DWORD remaining = RemainingMs();
    if (remaining > 0) {
        DWORD_PTR result = 0;
        SendMessageTimeoutA(move.hwnd, WM_NULL, 0, 0, SMTO_BLOCK | SMTO_ABORTIFHUNG, remaining, &result);
    }
    if (MoveShows(move))
        ForgetRestoreTarget(&g_RestoreTargets, move.hwnd);
}

// Moves a window of that thread (0 once the window is gone) after the move
// before it is done, so windows move in the order of the calls. A move to
// another thread is posted and waited for by the next move or the end of the
// sweep or restore; once the bound is spent, moves are posted without waiting,
// still in order for each program. before is the window's rectangle now.
// False when the window system refuses the move (a window of a program that
// runs with more rights than Brellox): nothing is on its way then.
bool MoveWindowOf(DWORD thread, HWND hwnd, LONG x, LONG y, UINT flags, const RECT &before)
{
    FinishPostedMove();
    if (thread == GetCurrentThreadId())
        return SetWindowPos(hwnd, HWND_TOP, x, y, 0, 0, flags) != FALSE;
    if (!SetWindowPos(hwnd, HWND_TOP, x, y, 0, 0, flags | SWP_ASYNCWINDOWPOS))
        return false;
    if (thread != 0 && RemainingMs() > 0)
        g_PostedMove = RestoreTarget{hwnd, x, y, before};
    return true;
}

// The window's rectangle, where a restore's move to it has not been carried
// out yet, at that move's target: that is where the window goes as soon as its
// program runs. False when it cannot be read.
bool CurrentRect(HWND hwnd, RECT *rect)
{
    if (!GetWindowRect(hwnd, rect))
        return false;
    RestoreTarget target;
    if (LookUpRestoreTarget(g_RestoreTargets, hwnd, &target)) {
        if (RestoreTargetReached(target, *rect))
            ForgetRestoreTarget(&g_RestoreTargets, hwnd);
        else
            *rect = RectMovedTo(*rect, target.x, target.y);
    }
    return true;
}

// The processes the sweep under way has asked for their program, and whether
// the Leave list names it: each program's name is read once a sweep. Past
// these slots a process is asked again at each of its windows.
struct ProgramLookUp {
    DWORD process;
    bool listed;
};
enum { PROGRAM_SLOTS = 128 };
ProgramLookUp g_Programs[PROGRAM_SLOTS];
int g_ProgramCount;

bool ProgramListed(HWND hwnd)
{
    if (g_LeaveList.count == 0)
        return false;
    DWORD process = 0;
    GetWindowThreadProcessId(hwnd, &process);
    for (int i = 0; i < g_ProgramCount; ++i) {
        if (g_Programs[i].process == process)
            return g_Programs[i].listed;
    }
    char path[1024];
    const bool listed = ProcessImagePath(process, path, sizeof(path)) && LeaveListNamesProgram(g_LeaveList, path);
    if (g_ProgramCount < PROGRAM_SLOTS)
        g_Programs[g_ProgramCount++] = ProgramLookUp{process, listed};
    return listed;
}

// How many sweeps and restores are under way: more than one only when one
// started inside another's wait.
int g_MovesUnderWay;

// The world of the sweep under way: the shell window is asked once a sweep.
SweepWorld g_SweepWorld;

// The windows of the sweep under way that passed every rule but their
// thread's answer, in the order they came, with the rectangle they were
// judged by; judged again once the answers are in.
struct ListedWindowEntry {
    HWND hwnd;
    DWORD thread;
    RECT rect;
    DWORD style;
};
enum { LISTED_WINDOW_SLOTS = 2 * MOVED_WINDOW_SLOTS };
ListedWindowEntry g_Listed[LISTED_WINDOW_SLOTS];
int g_ListedCount;
// How many of them the table has no place for: recorded windows (which move
// whatever the table holds) are all listed, new ones only while the table
// could still take them.
int g_ListedNew;

BOOL VisitWindow(Edge edge, HWND hwnd, LPARAM line)
{
    CandidateWindow candidate = {};
    candidate.hwnd = hwnd;
    SweepVerdict verdict;
    while ((verdict = SweepWindow(edge, static_cast<LONG>(line), candidate, g_SweepWorld)).action == AskFact) {
        candidate.known |= verdict.fact;
        if (verdict.fact == FactVisible) {
            candidate.visible = IsWindowVisible(hwnd) != FALSE;
        } else if (verdict.fact == FactRect) {
            candidate.rectRead = CurrentRect(hwnd, &candidate.rect);
        } else if (verdict.fact == FactPlacement) {
            WINDOWPLACEMENT placement = {};
            placement.length = sizeof(placement);
            GetWindowPlacement(hwnd, &placement);
            candidate.showCmd = placement.showCmd;
            // Another program's placement may be a stand-in (Wine's is); its
            // style always tells whether it is maximized or minimized.
            candidate.style = static_cast<DWORD>(GetWindowLongA(hwnd, GWL_STYLE));
        } else if (verdict.fact == FactKind) {
            GetClassNameA(hwnd, candidate.className, sizeof(candidate.className));
            candidate.exStyle = static_cast<DWORD>(GetWindowLongA(hwnd, GWL_EXSTYLE));
            candidate.cloaked = WindowCloaked(hwnd);
        } else if (verdict.fact == FactProgram) {
            candidate.programListed = ProgramListed(hwnd);
        } else {
            // Its thread's answer: asked now, judged once every answer is in.
            const bool recorded = IsRecorded(*g_SweepWorld.table, hwnd);
            const bool room = g_SweepWorld.table->count + g_ListedNew < MOVED_WINDOW_SLOTS;
            if (g_ListedCount >= LISTED_WINDOW_SLOTS || (!recorded && !room))
                return TRUE;
            const DWORD thread = GetWindowThreadProcessId(hwnd, NULL);
            g_Listed[g_ListedCount++] = ListedWindowEntry{hwnd, thread, candidate.rect, candidate.style};
            if (!recorded)
                ++g_ListedNew;
            AskThread(thread, hwnd);
            return TRUE;
        }
    }
    return TRUE;
}

// Judges the listed windows in order with their threads' answers and moves
// them as the verdicts say.
void MoveListedWindows(Edge edge, LONG line)
{
    for (int i = 0; i < g_ListedCount; ++i) {
        const ListedWindowEntry &entry = g_Listed[i];
        const bool answers = Answered(entry.thread, entry.hwnd);
        const SweepVerdict verdict =
            SweepWindow(edge, line, ListedWindow(entry.hwnd, entry.rect, entry.style, answers), g_SweepWorld);
        if (verdict.action == RecordAndMove)
            ForgetRestoreTarget(&g_RestoreTargets, entry.hwnd);
        if (verdict.action == Realign)
            MoveWindowOf(entry.thread, entry.hwnd, verdict.x, verdict.y, kRealignFlags, entry.rect);
        else if (verdict.action == RecordAndMove)
            MoveWindowOf(entry.thread, entry.hwnd, verdict.x, verdict.y, kRecordAndMoveFlags, entry.rect);
    }
}

} // namespace

BOOL CALLBACK SweepLeft(HWND hwnd, LPARAM line)
{
    return VisitWindow(EdgeLeft, hwnd, line);
}

BOOL CALLBACK SweepRight(HWND hwnd, LPARAM line)
{
    return VisitWindow(EdgeRight, hwnd, line);
}

BOOL CALLBACK SweepTop(HWND hwnd, LPARAM line)
{
    return VisitWindow(EdgeTop, hwnd, line);
}

BOOL CALLBACK SweepBottom(HWND hwnd, LPARAM line)
{
    return VisitWindow(EdgeBottom, hwnd, line);
}

bool MovesUnderWay()
{
    return g_MovesUnderWay > 0;
}

void RunSweep(int bar, LONG line)
{
    ++g_MovesUnderWay;
    ForgetThreadAnswers(&g_ThreadAnswers);
    g_SweepWorld = SweepWorld{g_MonitorLayout.monitor[BarMonitor(bar)].rect,
                              SeveralMonitors(g_MonitorLayout),
                              g_EdgeBarSet.hwndBar,
                              GetDesktopWindow(),
                              GetShellWindow(),
                              &g_MovedWindows,
                              &g_LeaveList};
    g_ProgramCount = 0;
    g_ListedCount = 0;
    g_ListedNew = 0;
    EnumWindows(kSweeps[BarEdge(bar)], line);
    AwaitAnswers();
    MoveListedWindows(BarEdge(bar), line);
    FinishPostedMove();
    --g_MovesUnderWay;
}

namespace {

// Gives a maximized or minimized window its first place as its normal
// position, through its placement: it keeps its state and its place, and
// comes back there once restored. Its state is shown as it is, which
// activates nothing (the placement's own showing command would activate it).
// Asked of another thread, the request is posted, as moves are.
void PlaceNormalAt(DWORD thread, HWND hwnd, LONG x, LONG y)
{
    WINDOWPLACEMENT placement = {};
    placement.length = sizeof(placement);
    if (!GetWindowPlacement(hwnd, &placement))
        return;
    MONITORINFO monitor = {};
    monitor.cbSize = sizeof(monitor);
    const RECT at = RectMovedTo(placement.rcNormalPosition, x, y);
    GetMonitorInfoA(MonitorFromRect(&at, MONITOR_DEFAULTTONEAREST), &monitor);
    const POINT workOffset = {monitor.rcWork.left - monitor.rcMonitor.left, monitor.rcWork.top - monitor.rcMonitor.top};
    const bool toolWindow = (GetWindowLongA(hwnd, GWL_EXSTYLE) & WS_EX_TOOLWINDOW) != 0;
    placement.rcNormalPosition = NormalRectAt(placement.rcNormalPosition, x, y, workOffset, toolWindow);
    placement.showCmd = SW_SHOWNA;
    placement.flags &= WPF_RESTORETOMAXIMIZED;
    if (thread != GetCurrentThreadId())
        placement.flags |= WPF_ASYNCWINDOWPLACEMENT;
    SetWindowPlacement(hwnd, &placement);
}

// The monitors before and after a display change, for a restore that follows it.
struct LayoutChange {
    const MonitorLayout *before;
    const MonitorLayout *after;
};

// Puts one recorded window back: at its first place, or, after a display
// change, where PlaceAfterDisplayChange says. thread is its window's thread,
// 0 once the window is gone.
void PutBack(const MovedWindow &entry, DWORD thread, const LayoutChange *change)
{
    RECT before = {};
    if (thread == 0 || !GetWindowRect(entry.hwnd, &before))
        return;
    POINT first = {entry.savedLeft, entry.savedTop};
    if (change != NULL) {
        const RestorePlace place = PlaceAfterDisplayChange(*change->before, *change->after, first, before);
        if (!place.move)
            return;
        first = POINT{place.x, place.y};
    }
    if (entry.normal && !NormalState(static_cast<DWORD>(GetWindowLongA(entry.hwnd, GWL_STYLE)))) {
        PlaceNormalAt(thread, entry.hwnd, first.x, first.y);
        return;
    }
    bool posted;
    if (Answered(thread, entry.hwnd))
        posted = MoveWindowOf(thread, entry.hwnd, first.x, first.y, kRealignFlags, before);
    else
        posted = SetWindowPos(entry.hwnd, HWND_TOP, first.x, first.y, 0, 0, kRealignFlags | SWP_ASYNCWINDOWPOS);
    if (posted && thread != GetCurrentThreadId())
        NoteRestoreTarget(&g_RestoreTargets, entry.hwnd, first.x, first.y, before);
    AddMovedWindow(&g_LastRestore, MovedWindow{entry.hwnd, first.x, first.y, entry.normal});
}

// Puts every recorded window back and empties the table.
void RestoreEntries(const LayoutChange *change)
{
    // Every program concerned is asked at once. A window whose thread does not
    // answer gets its move posted all the same, and loses its slot: it goes
    // back as soon as its program runs again, and until then its target is
    // kept as where it is.
    ForgetThreadAnswers(&g_ThreadAnswers);
    MovedWindow entries[MOVED_WINDOW_SLOTS];
    DWORD threads[MOVED_WINDOW_SLOTS];
    const int count = TakeMovedWindows(&g_MovedWindows, entries);
    if (count > 0) {
        ClearMovedWindows(&g_LastRestore);
        g_LastRestoreTick = GetTickCount();
    }
    for (int i = 0; i < count; ++i) {
        threads[i] = GetWindowThreadProcessId(entries[i].hwnd, NULL);
        if (threads[i] != 0)
            AskThread(threads[i], entries[i].hwnd);
    }
    AwaitAnswers();
    for (int i = 0; i < count; ++i)
        PutBack(entries[i], threads[i], change);
    FinishPostedMove();
}

// Records again the windows of a restore that the display change being
// followed may have overtaken, and that still stand where it put them: their
// places are in the coordinates of the monitors as they were.
void RetakeOvertakenRestore()
{
    if (!RestoreOvertaken(g_LastRestoreTick, GetTickCount()))
        return;
    for (int i = 0; i < g_LastRestore.count; ++i) {
        const MovedWindow &entry = g_LastRestore.slot[i];
        RECT r;
        if (GetWindowRect(entry.hwnd, &r) && r.left == entry.savedLeft && r.top == entry.savedTop &&
            !IsRecorded(g_MovedWindows, entry.hwnd))
            AddMovedWindow(&g_MovedWindows, entry);
    }
    ClearMovedWindows(&g_LastRestore);
}

} // namespace

void RestoreWindows()
{
    ++g_MovesUnderWay;
    RestoreEntries(NULL);
    --g_MovesUnderWay;
}

void RestoreWindowsForNewLayout(const MonitorLayout &before, const MonitorLayout &after)
{
    const LayoutChange change = {&before, &after};
    RetakeOvertakenRestore();
    ++g_MovesUnderWay;
    RestoreEntries(&change);
    --g_MovesUnderWay;
}

void ForgetMovedWindows()
{
    ClearMovedWindows(&g_MovedWindows);
}

MovedWindowTable *MovedWindows()
{
    return &g_MovedWindows;
}

void ForgetShownRestoreTargets()
{
    for (const RestoreTarget &target : g_RestoreTargets.slot) {
        RECT r;
        if (target.hwnd != NULL && (!GetWindowRect(target.hwnd, &r) || RestoreTargetReached(target, r)))
            ForgetRestoreTarget(&g_RestoreTargets, target.hwnd);
    }
}
