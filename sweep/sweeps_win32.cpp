// The four edge sweeps and the restore: they gather each window's facts, ask
// SweepWindow for the verdict and carry it out, and never wait on another
// program's thread for longer than a short bound.
#include "../app/app_win32.h"
#include "../bars/monitor_layout.h"
#include "moved_windows.h"
#include "sweep_win32.h"
#include "thread_answers.h"

namespace {

// How long a sweep or restore waits for another program's thread. An answering
// program handles a message in well under a millisecond, and one that is only
// busy for a moment under load still gets a hundred times that; longer would
// let a frozen program hold every bar for more than one watch period.
const UINT kAnswerTimeoutMs = 100;

const UINT kRealignFlags = SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOOWNERZORDER;
const UINT kRecordAndMoveFlags = SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE;

const WNDENUMPROC kSweeps[EDGE_COUNT] = {SweepLeft, SweepRight, SweepTop, SweepBottom};

// What the sweep or restore under way has learnt of the threads it asked.
ThreadAnswers g_ThreadAnswers;

// Whether the window's thread handles a message that does nothing within the
// bound. A thread the window system already counts as hung is not waited for.
bool AnswersInTime(HWND hwnd)
{
    DWORD_PTR result = 0;
    return SendMessageTimeoutA(hwnd, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, kAnswerTimeoutMs, &result) != 0;
}

// Whether the window's thread answers, asking it only the first time in this
// sweep. *askedNow tells whether it was asked just now.
bool ThreadAnswersNow(DWORD thread, HWND hwnd, bool *askedNow)
{
    *askedNow = false;
    if (thread == GetCurrentThreadId())
        return true;
    if (thread == 0) // the window is gone
        return false;
    const ThreadAnswer known = LookUpThreadAnswer(g_ThreadAnswers, thread);
    if (known != ThreadNotAsked)
        return known != ThreadSilent;
    *askedNow = true;
    const bool answered = AnswersInTime(hwnd);
    NoteThreadAsked(&g_ThreadAnswers, thread, answered);
    return answered;
}

// Whether a move posted to the thread is to be waited for.
bool AwaitedThread(DWORD thread)
{
    const ThreadAnswer known = LookUpThreadAnswer(g_ThreadAnswers, thread);
    return thread != 0 && (known == ThreadNotAsked || known == ThreadAnswered);
}

// The last move posted to another thread's window, until it is seen done.
struct PostedMove {
    HWND hwnd; // NULL when there is none
    DWORD thread;
};
PostedMove g_PostedMove;

// Waits, within the bound, until the last posted move is done: a thread handles
// the messages sent to it in the order they came, so its answer to a message
// that does nothing comes after the move. Without an answer in time the move
// stays posted, to be carried out once the thread runs again, and the thread
// is not waited for again in this sweep or restore.
void FinishPostedMove()
{
    const PostedMove move = g_PostedMove;
    g_PostedMove.hwnd = NULL;
    // A window destroyed meanwhile fails at once and says nothing of its thread.
    if (move.hwnd != NULL && !AnswersInTime(move.hwnd) && IsWindow(move.hwnd))
        NoteThreadBehind(&g_ThreadAnswers, move.thread);
}

// Moves a window of that thread (0 once the window is gone) after the move
// before it is done, so windows move in the order of the calls. The move is
// posted and waited for by the next move or the end of the sweep or restore:
// the facts of the next window are read while the thread carries it out.
void MoveWindowOf(DWORD thread, HWND hwnd, LONG x, LONG y, UINT flags)
{
    FinishPostedMove();
    if (thread == GetCurrentThreadId()) {
        SetWindowPos(hwnd, HWND_TOP, x, y, 0, 0, flags);
        return;
    }
    SetWindowPos(hwnd, HWND_TOP, x, y, 0, 0, flags | SWP_ASYNCWINDOWPOS);
    if (AwaitedThread(thread))
        g_PostedMove = PostedMove{hwnd, thread};
}

// DWMWA_CLOAKED, which the Windows headers give only with the window
// manager's own header.
const DWORD kDwmCloaked = 14;

// Whether the window system keeps the window out of sight. Asked of the
// desktop window manager, which is loaded the first time a window reaches a
// strip and kept for the run; where it is missing, no window is cloaked.
bool Cloaked(HWND hwnd)
{
    if (g_hDwmApi == NULL) {
        g_hDwmApi = LoadLibraryA("dwmapi.dll");
        if (g_hDwmApi == NULL)
            return false;
        g_pfnDwmGetWindowAttribute = reinterpret_cast<DwmGetWindowAttributeProc>(
            reinterpret_cast<void (*)()>(GetProcAddress(g_hDwmApi, "DwmGetWindowAttribute")));
    }
    DWORD cloaked = 0;
    return g_pfnDwmGetWindowAttribute != NULL &&
           g_pfnDwmGetWindowAttribute(hwnd, kDwmCloaked, &cloaked, sizeof(cloaked)) == S_OK && cloaked != 0;
}

// How many sweeps and restores are under way: more than one only when one
// started inside another's wait.
int g_MovesUnderWay;

// The world of the sweep under way: the shell window is asked once a sweep.
SweepWorld g_SweepWorld;

BOOL Sweep(Edge edge, HWND hwnd, LPARAM line)
{
    CandidateWindow candidate = {};
    candidate.hwnd = hwnd;
    DWORD thread = 0;
    const SweepWorld &world = g_SweepWorld;
    SweepVerdict verdict;
    while ((verdict = SweepWindow(edge, static_cast<LONG>(line), candidate, world)).action == AskFact) {
        candidate.known |= verdict.fact;
        if (verdict.fact == FactVisible) {
            candidate.visible = IsWindowVisible(hwnd) != FALSE;
        } else if (verdict.fact == FactRect) {
            candidate.rectRead = GetWindowRect(hwnd, &candidate.rect) != FALSE;
        } else if (verdict.fact == FactPlacement) {
            WINDOWPLACEMENT placement = {};
            placement.length = sizeof(placement);
            GetWindowPlacement(hwnd, &placement);
            candidate.showCmd = placement.showCmd;
        } else if (verdict.fact == FactKind) {
            GetClassNameA(hwnd, candidate.className, sizeof(candidate.className));
            candidate.exStyle = static_cast<DWORD>(GetWindowLongA(hwnd, GWL_EXSTYLE));
            candidate.cloaked = Cloaked(hwnd);
        } else {
            thread = GetWindowThreadProcessId(hwnd, NULL);
            bool askedNow;
            candidate.answers = ThreadAnswersNow(thread, hwnd, &askedNow);
            // Moves posted to the thread earlier (a restore's, to a window that
            // was not answering then) are done by the time it answers: the
            // rectangle read before may be older than they are.
            if (askedNow && candidate.answers)
                candidate.known &= ~static_cast<unsigned>(FactRect);
        }
    }

    if (verdict.action == Realign)
        MoveWindowOf(thread, hwnd, verdict.x, verdict.y, kRealignFlags);
    else if (verdict.action == RecordAndMove)
        MoveWindowOf(thread, hwnd, verdict.x, verdict.y, kRecordAndMoveFlags);
    return TRUE;
}

} // namespace

BOOL CALLBACK SweepLeft(HWND hwnd, LPARAM line)
{
    return Sweep(EdgeLeft, hwnd, line);
}

BOOL CALLBACK SweepRight(HWND hwnd, LPARAM line)
{
    return Sweep(EdgeRight, hwnd, line);
}

BOOL CALLBACK SweepTop(HWND hwnd, LPARAM line)
{
    return Sweep(EdgeTop, hwnd, line);
}

BOOL CALLBACK SweepBottom(HWND hwnd, LPARAM line)
{
    return Sweep(EdgeBottom, hwnd, line);
}

bool MovesUnderWay()
{
    return g_MovesUnderWay > 0;
}

void SweepEdge(int bar, LONG line)
{
    ++g_MovesUnderWay;
    ForgetThreadAnswers(&g_ThreadAnswers);
    g_SweepWorld = SweepWorld{g_MonitorLayout.monitor[BarMonitor(bar)].rect,
                              SweepsAlongMonitorOnly(g_MonitorLayout),
                              g_EdgeBarSet.hwndBar,
                              GetDesktopWindow(),
                              GetShellWindow(),
                              &g_MovedWindows};
    EnumWindows(kSweeps[BarEdge(bar)], line);
    FinishPostedMove();
    --g_MovesUnderWay;
}

void RestoreAll()
{
    ++g_MovesUnderWay;
    for (int bar = 0; bar < BAR_SLOTS; ++bar) {
        if (g_EdgeBarSet.hwndBar[bar] == NULL)
            continue;
        const BarRect rest = BarRest(g_MonitorLayout, bar, g_Settings.Width, g_Settings.Offset);
        SetWindowPos(g_EdgeBarSet.hwndBar[bar], HWND_TOP, rest.x, rest.y, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE);
    }

    // A window whose thread does not answer keeps its move posted and loses its
    // slot all the same: it goes back as soon as its program runs again.
    ForgetThreadAnswers(&g_ThreadAnswers);
    MovedWindow entries[MOVED_WINDOW_SLOTS];
    const int count = TakeMovedWindows(&g_MovedWindows, entries);
    for (int i = 0; i < count; ++i) {
        MoveWindowOf(GetWindowThreadProcessId(entries[i].hwnd, NULL), entries[i].hwnd, entries[i].savedLeft,
                     entries[i].savedTop, kRealignFlags);
    }
    FinishPostedMove();
    --g_MovesUnderWay;

    SetTimer(g_EdgeBarSet.hwndOwner, TIMER_HOVER_POLL, 200, HoverPoll);
}
