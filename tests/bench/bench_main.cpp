// Benchmarks of the real program under Wine. Prints figures, asserts nothing.
//
//   brellox_bench.exe [--monitors] MINIMAL_EXE SAMPLES_EXE [ROUNDS] [REST_SECONDS]
//
// brellox_timer.exe and brellox_manifested.exe, the floors of the CPU and the
// memory figures, are taken from beside this program. With --monitors, in a
// session of two monitors side by side, only the figures that compare two
// monitors with one: a sweep of one monitor's strip and memory with six bars.
#include "harness.h"
#include "host_control.h"
#include "proc_files.h"
#include "stalling_window.h"

#include <shlobj.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <memory>
#include <vector>

namespace {

double Milliseconds(LARGE_INTEGER from, LARGE_INTEGER to)
{
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return 1000.0 * static_cast<double>(to.QuadPart - from.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// Time from the start of the process until its windows exist and it waits for input.
double TimeStart(const std::string &exe, const std::string &directory, bool brellox)
{
    LARGE_INTEGER begin, end;
    QueryPerformanceCounter(&begin);
    BrelloxProcess process(directory, exe);
    bool ready;
    if (brellox) {
        ready = process.WaitForWindows(kStartTimeoutMs, 1).Complete();
    } else {
        ready =
            WaitUntil([&] { return FindProcessWindow(process.Id(), "BrelloxMinimal", NULL) != NULL && process.Idle(); },
                      kStartTimeoutMs, 1);
    }
    QueryPerformanceCounter(&end);
    if (!ready) {
        std::fprintf(stderr, "%s did not start\n", exe.c_str());
        std::exit(1);
    }
    return Milliseconds(begin, end);
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

double Percentile95(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[(values.size() * 95 + 99) / 100 - 1];
}

// Sample windows in a process of their own, which answers the window system.
struct Samples {
    std::unique_ptr<BrelloxProcess> process;
    std::vector<HWND> windows;
    std::vector<RECT> home;
};

struct SampleSearch {
    DWORD processId;
    std::vector<HWND> *found;
};

BOOL CALLBACK CollectSample(HWND hwnd, LPARAM lParam)
{
    SampleSearch *search = reinterpret_cast<SampleSearch *>(lParam);
    DWORD processId = 0;
    GetWindowThreadProcessId(hwnd, &processId);
    if (processId == search->processId && IsWindowVisible(hwnd))
        search->found->push_back(hwnd);
    return TRUE;
}

Samples StartSamples(const std::string &exe, int count, const std::string &directory, int every = 1)
{
    Samples samples;
    char arguments[32];
    std::snprintf(arguments, sizeof(arguments), "%d %d", count, every);
    samples.process = std::make_unique<BrelloxProcess>(directory, exe, arguments);
    const bool ready = WaitUntil(
        [&] {
            samples.windows.clear();
            SampleSearch search = {samples.process->Id(), &samples.windows};
            EnumWindows(CollectSample, reinterpret_cast<LPARAM>(&search));
            return static_cast<int>(samples.windows.size()) == count;
        },
        kStartTimeoutMs * 3);
    if (!ready) {
        std::fprintf(stderr, "the sample windows did not appear\n");
        std::exit(1);
    }
    std::sort(samples.windows.begin(), samples.windows.end());
    for (HWND hwnd : samples.windows)
        samples.home.push_back(RectOf(hwnd));
    return samples;
}

bool AllInPlace(const Samples &samples, const std::vector<RECT> &places)
{
    for (size_t i = 0; i < samples.windows.size(); ++i) {
        if (!SameRect(RectOf(samples.windows[i]), places[i]))
            return false;
    }
    return true;
}

bool AllHome(const Samples &samples)
{
    return AllInPlace(samples, samples.home);
}

// Where a left sweep at that line puts the sample windows: those that start in
// its strip on the line, every other one at home.
std::vector<RECT> LeftSweptTo(const Samples &samples, LONG line)
{
    std::vector<RECT> swept = samples.home;
    for (RECT &r : swept) {
        if (r.left <= line)
            OffsetRect(&r, line - r.left, 0);
    }
    return swept;
}

bool AllAt(const Samples &samples, LONG left)
{
    for (HWND hwnd : samples.windows) {
        if (RectOf(hwnd).left != left)
            return false;
    }
    return true;
}

void SendHome(const Samples &samples)
{
    for (size_t i = 0; i < samples.windows.size(); ++i) {
        SetWindowPos(samples.windows[i], HWND_TOP, samples.home[i].left, samples.home[i].top, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

// The floor a sweep is measured against: the same enumeration and the same
// moves, made directly, with nothing decided but whether a window of the
// samples reaches the strip. A left sweep's strip lies left of the line; a top
// sweep's above it, across the columns of its monitor.
struct FloorSweep {
    const std::vector<HWND> *windows;
    LONG line;
    bool top;
    RECT monitor;
};

BOOL CALLBACK MoveIfSample(HWND hwnd, LPARAM lParam)
{
    FloorSweep *floor = reinterpret_cast<FloorSweep *>(lParam);
    if (std::binary_search(floor->windows->begin(), floor->windows->end(), hwnd)) {
        RECT r = RectOf(hwnd);
        if (!floor->top && r.left <= floor->line)
            SetWindowPos(hwnd, HWND_TOP, floor->line, r.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        else if (floor->top && r.left < floor->monitor.right && floor->monitor.left < r.right && r.top <= floor->line)
            SetWindowPos(hwnd, HWND_TOP, r.left, floor->line, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    return TRUE;
}

// The floor's time in milliseconds; the windows are then sent home.
double TimedFloor(const Samples &samples, FloorSweep floor)
{
    LARGE_INTEGER begin, end;
    QueryPerformanceCounter(&begin);
    EnumWindows(MoveIfSample, reinterpret_cast<LPARAM>(&floor));
    QueryPerformanceCounter(&end);
    SendHome(samples);
    WaitUntil([&] { return AllHome(samples); }, kStartTimeoutMs);
    return Milliseconds(begin, end);
}

std::unique_ptr<BrelloxProcess> StartHost(const std::string &directory, HWND *control)
{
    auto host = std::make_unique<BrelloxProcess>(directory, HostExePath());
    if (!host->WaitForWindows().Complete()) {
        std::fprintf(stderr, "the test host did not start\n");
        std::exit(1);
    }
    *control = WaitForHostControl(host->Id());
    return host;
}

// Ten answering sample windows and, started after them, the test host: what
// the benchmarks of one kind of window in the strip stand on.
struct Bed {
    Samples samples;
    HWND control = NULL;
    std::unique_ptr<BrelloxProcess> host;
};

Bed StartBed(const std::string &samplesExe, const std::string &directory)
{
    Bed bed;
    bed.samples = StartSamples(samplesExe, 10, directory);
    bed.host = StartHost(directory, &bed.control);
    return bed;
}

// Waits until every sample window stands at its place, window after window
// in the order the sweep moves them; false when one never gets there.
bool WaitUntilInPlace(const Samples &samples, const std::vector<RECT> &places)
{
    for (size_t i = 0; i < samples.windows.size(); ++i) {
        if (!WaitUntil([&] { return SameRect(RectOf(samples.windows[i]), places[i]); }, kStartTimeoutMs, 0))
            return false;
    }
    return true;
}

// A sweep of the bar in that slot, in milliseconds from the command to every
// window at the place it puts it (the moves past its wait's bound are carried
// out after it returns, as the floor's are not), then undone.
double TimedSweep(HWND control, UINT command, WPARAM slot, LONG line, const Samples &samples,
                  const std::vector<RECT> &swept)
{
    LARGE_INTEGER begin, end;
    QueryPerformanceCounter(&begin);
    SendMessageA(control, command, slot, line);
    if (!WaitUntilInPlace(samples, swept))
        std::fprintf(stderr, "the sweep did not clear the strip as it should\n");
    QueryPerformanceCounter(&end);
    SendMessageA(control, HOST_RESTORE_ALL, 0, 0);
    WaitUntil([&] { return AllHome(samples); }, kStartTimeoutMs);
    return Milliseconds(begin, end);
}

// The sweep as it runs now, bounding every wait on another program's thread,
// and as it ran before, waiting for every window it moved, each against the
// floor, in one run: the bound's cost on the ratio for programs that answer.
void BenchSweep(const std::string &samplesExe, const std::string &directory, int rounds, int count, int every)
{
    const LONG line = 150;
    Samples samples = StartSamples(samplesExe, count, directory, every);
    HWND control;
    auto host = StartHost(directory, &control);
    const std::vector<RECT> swept = LeftSweptTo(samples, line);
    std::vector<double> bounded, waiting, floor, kinds;
    for (int round = 0; round < rounds; ++round) {
        bounded.push_back(TimedSweep(control, HOST_TIMED_SWEEP, 0, line, samples, swept));
        waiting.push_back(TimedSweep(control, HOST_TIMED_WAITING_SWEEP, 0, line, samples, swept));
        kinds.push_back(SendMessageA(control, HOST_TIMED_KIND_QUESTIONS, 0, line) / 1000.0);
        floor.push_back(TimedFloor(samples, {&samples.windows, line, false, {}}));
    }
    const double ratio = Median(bounded) / Median(floor), before = Median(waiting) / Median(floor);
    std::printf("sweep of %3d windows of another process, %3d in the strip: median %.2f ms, floor %.2f ms, "
                "ratio %.2f; waiting for every window as before %.2f ms, ratio %.2f; the bound changes the ratio "
                "by %+.0f%%\n",
                count, count / every, Median(bounded), Median(floor), ratio, Median(waiting), before,
                100.0 * (ratio / before - 1.0));
    // What asking each window in the strip what kind of window it is (the
    // shell's, cloaked, click-through) adds to the sweep.
    const double without = Median(bounded) - Median(kinds);
    std::printf(
        "    the kind questions: %.3f ms; the sweep against the same sweep without them: ratio %.3f (%+.1f%%)\n",
        Median(kinds), Median(bounded) / without, 100.0 * (Median(bounded) / without - 1.0));
}

void BenchSweeps(const std::string &samplesExe, const std::string &directory, int rounds)
{
    for (int count : {10, 50, 200})
        BenchSweep(samplesExe, directory, rounds, count, 1);
    std::printf("(target: the bound costs at most 10%% on the ratio for windows that answer)\n");
    BenchSweep(samplesExe, directory, rounds, 200, 5);
    std::printf("(target: a desktop with a fifth of its windows in the strip no worse than waiting as before;\n"
                " the kind questions cost a sweep at most 5%%)\n");
}

// A fresh directory whose settings file holds these settings.
std::string SettingsDirectory(const char *name, const char *settings)
{
    const std::string directory = MakeScratchDirectory(name);
    WriteTextFile(directory + "\\Brellox.ini", settings);
    return directory;
}

// A sweep of 200 windows with a Leave list of ten names that none of them
// matches, against the same sweep without a list, each as a ratio to the
// floor of the same rounds: every window that reaches the strip has its class
// compared with the list and its program's name read, once a program a sweep.
// The list is read at start-up, so each round starts a host with the list and
// one without, in turn, and sweeps once to warm it before the timed sweep.
void BenchLeaveList(const std::string &samplesExe, int rounds)
{
    const LONG line = 150;
    const int count = 200;
    const char *const settings[2] = {"[Brellox]\r\n",
                                     "[Brellox]\r\nLeave=notes.exe, stickies.exe, clock.exe, meter.exe, pip.exe, "
                                     "NoteWindow, WidgetHost, ClockFace, MeterPanel, PictureInPicture\r\n"};
    const std::string directories[2] = {SettingsDirectory("bench-no-leave", settings[0]),
                                        SettingsDirectory("bench-leave", settings[1])};
    Samples samples = StartSamples(samplesExe, count, directories[0]);
    const std::vector<RECT> swept = LeftSweptTo(samples, line);
    std::vector<double> bounded[2], floor;
    for (int round = 0; round < rounds; ++round) {
        for (int listed = 0; listed < 2; ++listed) {
            HWND control;
            auto host = StartHost(directories[listed], &control);
            TimedSweep(control, HOST_TIMED_SWEEP, 0, line, samples, swept);
            bounded[listed].push_back(TimedSweep(control, HOST_TIMED_SWEEP, 0, line, samples, swept));
            host.reset();
            EndAllBrellox();
        }
        floor.push_back(TimedFloor(samples, {&samples.windows, line, false, {}}));
    }
    std::printf("sweep of %d windows of another process, all in the strip, median of %d: %.2f ms without a Leave "
                "list, %.2f ms with a list of ten names, floor %.2f ms; ratios %.2f and %.2f, the list changes the "
                "ratio by %+.1f%% (target: within 5%%)\n",
                count, rounds, Median(bounded[0]), Median(bounded[1]), Median(floor),
                Median(bounded[0]) / Median(floor), Median(bounded[1]) / Median(floor),
                100.0 * (Median(bounded[1]) / Median(bounded[0]) - 1.0));
}

// The monitors, the primary first.
BOOL CALLBACK AddMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM list)
{
    MONITORINFO info = {};
    info.cbSize = sizeof(info);
    if (GetMonitorInfoA(monitor, &info)) {
        std::vector<RECT> &monitors = *reinterpret_cast<std::vector<RECT> *>(list);
        monitors.insert(info.dwFlags & MONITORINFOF_PRIMARY ? monitors.begin() : monitors.end(), info.rcMonitor);
    }
    return TRUE;
}

std::vector<RECT> Monitors()
{
    std::vector<RECT> monitors;
    EnumDisplayMonitors(NULL, NULL, AddMonitor, reinterpret_cast<LPARAM>(&monitors));
    return monitors;
}

// A top sweep of 200 windows of another process, a quarter of them in the
// strip of the swept monitor and the rest elsewhere: with one monitor below
// the strip; with two all over the other monitor, also in the rows of the
// strip, where the sweep leaves them only because a bar sweeps its own
// monitor. With two, the second monitor is swept. Printed in the form of the
// left sweeps' figures.
void BenchQuarterSweep(const std::string &samplesExe, const std::string &directory, int rounds)
{
    const int count = 200, inStrip = count / 4;
    const std::vector<RECT> monitors = Monitors();
    const bool two = monitors.size() == 2;
    const RECT swept = monitors.back(), other = monitors.front();
    // The top bar (2) of the second monitor (slots 4 to 7) or of the only one.
    const WPARAM slot = (two ? 4 : 0) + 2;
    const LONG line = swept.top + 150;
    Samples samples = StartSamples(samplesExe, count, directory);
    for (int i = 0; i < count; ++i) {
        RECT &r = samples.home[i];
        const LONG width = r.right - r.left, height = r.bottom - r.top;
        // Spread out so that the windows do not all stand on the same spots.
        POINT at;
        if (i % 4 == 0)
            at = {swept.left + (i * 3) % (swept.right - swept.left - width), swept.top + i % 150};
        else if (two)
            at = {other.left + (i * 7) % (other.right - other.left - width),
                  other.top + (i * 5) % (other.bottom - other.top - height)};
        else
            at = {swept.left + (i * 7) % (swept.right - swept.left - width),
                  line + 1 + (i * 5) % (swept.bottom - line - 1 - height)};
        SetRect(&r, at.x, at.y, at.x + width, at.y + height);
    }
    SendHome(samples);
    if (!WaitUntil([&] { return AllHome(samples); }, kStartTimeoutMs)) {
        std::fprintf(stderr, "the sample windows did not go to their places\n");
        std::exit(1);
    }
    std::vector<RECT> pushed = samples.home;
    for (int i = 0; i < count; i += 4)
        OffsetRect(&pushed[i], 0, line - pushed[i].top);
    HWND control;
    auto host = StartHost(directory, &control);
    std::vector<double> bounded, floor;
    for (int round = 0; round < rounds; ++round) {
        bounded.push_back(TimedSweep(control, HOST_TIMED_SWEEP, slot, line, samples, pushed));
        floor.push_back(TimedFloor(samples, {&samples.windows, line, true, swept}));
    }
    std::printf("sweep of %3d windows of another process, %3d in the strip of %s: median %.2f ms, floor %.2f ms, "
                "ratio %.2f\n",
                count, inStrip,
                two ? "the second monitor's top bar, the others on the primary monitor"
                    : "the top bar, the others below it",
                Median(bounded), Median(floor), Median(bounded) / Median(floor));
}

// What one window whose thread has stopped costs a sweep that meets it and a
// restore that puts it back: the time beyond the same with the thread running.
void BenchStalledWindow(const std::string &samplesExe, const std::string &directory, int rounds)
{
    const LONG line = 150;
    const Bed bed = StartBed(samplesExe, directory);
    const RECT stallAt = {40, 100, 340, 300};
    StallingWindow stalling({stallAt});
    if (stalling.Window() == NULL) {
        std::fprintf(stderr, "the stalling window did not appear\n");
        std::exit(1);
    }
    auto stallHome = [&] { return SameRect(RectOf(stalling.Window()), stallAt); };
    std::vector<double> sweep, sweepStalled, restore, restoreStalled;
    for (int round = 0; round < rounds; ++round) {
        // Answering: pushed by the sweep and put back by the restore.
        sweep.push_back(SendMessageA(bed.control, HOST_TIMED_SWEEP, 0, line) / 1000.0);
        restore.push_back(SendMessageA(bed.control, HOST_TIMED_RESTORE_ALL, 0, 0) / 1000.0);
        WaitUntil([&] { return AllHome(bed.samples) && stallHome(); }, kStartTimeoutMs);

        // Stopped before the sweep: left alone.
        stalling.StallNow();
        sweepStalled.push_back(SendMessageA(bed.control, HOST_TIMED_SWEEP, 0, line) / 1000.0);
        SendMessageA(bed.control, HOST_RESTORE_ALL, 0, 0);
        stalling.Release();
        WaitUntil([&] { return AllHome(bed.samples) && stallHome(); }, kStartTimeoutMs);

        // Stopped after its move: its restore is posted.
        SendMessageA(bed.control, HOST_TIMED_SWEEP, 0, line);
        WaitUntil([&] { return RectOf(stalling.Window()).left == line; }, kStartTimeoutMs);
        stalling.StallNow();
        restoreStalled.push_back(SendMessageA(bed.control, HOST_TIMED_RESTORE_ALL, 0, 0) / 1000.0);
        stalling.Release();
        WaitUntil([&] { return AllHome(bed.samples) && stallHome(); }, kStartTimeoutMs);
    }
    std::printf("one stopped window among 11 in the strip, median of %d: a sweep takes %.1f ms against %.1f ms, "
                "%.1f ms more; a restore takes %.1f ms against %.1f ms, %.1f ms more (bound 100 ms)\n",
                rounds, Median(sweepStalled), Median(sweep), Median(sweepStalled) - Median(sweep),
                Median(restoreStalled), Median(restore), Median(restoreStalled) - Median(restore));

    // Once the window system counts the thread as hung, nothing waits at all.
    stalling.StallNow();
    WaitUntil([&] { return IsHungAppWindow(stalling.Window()) != FALSE; }, kStartTimeoutMs);
    const double hung = SendMessageA(bed.control, HOST_TIMED_SWEEP, 0, line) / 1000.0;
    SendMessageA(bed.control, HOST_RESTORE_ALL, 0, 0);
    stalling.Release();
    std::printf("the same window once the window system counts it as hung: a sweep takes %.1f ms\n", hung);
}

// CPU time, kernel and user, a thread has spent so far, in milliseconds. Wine
// answers another process's own times with the caller's, but reads a
// thread's from the system.
double ThreadCpuMs(HANDLE thread)
{
    FILETIME created, exited, kernel, user;
    if (!GetThreadTimes(thread, &created, &exited, &kernel, &user))
        return 0;
    const auto ticks = [](const FILETIME &t) { return (ULONGLONG(t.dwHighDateTime) << 32) | t.dwLowDateTime; };
    return static_cast<double>(ticks(kernel) + ticks(user)) / 10000.0;
}

// Sweeps and restores of ten answering windows with, above them in the strip,
// a window that declines every move (a docked window; on Windows any window
// of a program with more rights than Brellox), and without it: the time from
// the command to the answering windows at their places, and the CPU time
// Brellox's thread spends on each. Rounds with and without take turns.
void BenchRefusingWindow(const std::string &samplesExe, const std::string &directory, int rounds)
{
    const LONG line = 150;
    const Bed bed = StartBed(samplesExe, directory);
    const std::vector<RECT> swept = LeftSweptTo(bed.samples, line);
    const RECT refusingAt = {40, 100, 340, 300};
    StallingWindow refusing({refusingAt});
    if (refusing.Window() == NULL) {
        std::fprintf(stderr, "the refusing window did not appear\n");
        std::exit(1);
    }
    refusing.RefuseMoves();
    HANDLE thread = OpenThread(THREAD_QUERY_INFORMATION, FALSE, GetWindowThreadProcessId(bed.control, NULL));
    std::vector<double> sweeps[2], restores[2];
    double sweepCpu[2] = {0, 0}, restoreCpu[2] = {0, 0};
    for (int round = 0; round < 2 * rounds; ++round) {
        const int shown = round % 2;
        ShowWindow(refusing.Window(), shown ? SW_SHOWNOACTIVATE : SW_HIDE);
        refusing.WaitUntilAnswering();
        LARGE_INTEGER begin, end;
        double cpu = ThreadCpuMs(thread);
        QueryPerformanceCounter(&begin);
        SendMessageA(bed.control, HOST_TIMED_SWEEP, 0, line);
        WaitUntilInPlace(bed.samples, swept);
        QueryPerformanceCounter(&end);
        sweeps[shown].push_back(Milliseconds(begin, end));
        sweepCpu[shown] += ThreadCpuMs(thread) - cpu;
        cpu = ThreadCpuMs(thread);
        QueryPerformanceCounter(&begin);
        SendMessageA(bed.control, HOST_TIMED_RESTORE_ALL, 0, 0);
        WaitUntilInPlace(bed.samples, bed.samples.home);
        QueryPerformanceCounter(&end);
        restores[shown].push_back(Milliseconds(begin, end));
        restoreCpu[shown] += ThreadCpuMs(thread) - cpu;
    }
    CloseHandle(thread);
    if (!SameRect(RectOf(refusing.Window()), refusingAt))
        std::fprintf(stderr, "the refusing window moved\n");
    std::printf("a window that declines every move above 10 answering ones in the strip, median of %d: sweep %.1f ms "
                "against %.1f ms without it (%+.1f ms), restore %.1f ms against %.1f ms (%+.1f ms); Brellox's CPU per "
                "sweep %.1f ms against %.1f ms (%+.1f ms), per restore %.1f ms against %.1f ms (%+.1f ms) (target: "
                "within 10 ms, CPU within 5 ms)\n",
                rounds, Median(sweeps[1]), Median(sweeps[0]), Median(sweeps[1]) - Median(sweeps[0]),
                Median(restores[1]), Median(restores[0]), Median(restores[1]) - Median(restores[0]),
                sweepCpu[1] / rounds, sweepCpu[0] / rounds, (sweepCpu[1] - sweepCpu[0]) / rounds,
                restoreCpu[1] / rounds, restoreCpu[0] / rounds, (restoreCpu[1] - restoreCpu[0]) / rounds);
}

// Milliseconds from a click on another window until every pushed window is
// back, over a number of opens. With fromDesktop, the desktop is clicked
// first after each open, as a user does who selects an icon before going
// back to work: the bar is then no longer in front to lose it.
std::vector<double> RestoreLatency(HWND control, const Samples &samples, HWND other, int opens, bool fromDesktop)
{
    const POINT otherAt = {750, 400}, desktopAt = {500, 700};
    std::vector<double> latency;
    for (int open = 0; open < opens; ++open) {
        PostMessageA(control, HOST_OPEN_EDGE, 0, 0);
        if (!WaitUntil([&] { return AllAt(samples, 150); }, kStartTimeoutMs)) {
            std::fprintf(stderr, "the open did not push the sample windows\n");
            std::exit(1);
        }
        if (fromDesktop) {
            Click(desktopAt.x, desktopAt.y);
            WaitUntil([] { return GetForegroundWindow() == GetDesktopWindow(); }, 2000);
        }
        MovePointer(otherAt.x, otherAt.y);
        // A user activates another window at any moment of the watch's period,
        // not just as it starts: wait a varying time first.
        WaitUntil([] { return false; }, static_cast<DWORD>(100 + (open * 37) % 200));
        LARGE_INTEGER begin, end;
        QueryPerformanceCounter(&begin);
        PressButton(MOUSEEVENTF_LEFTDOWN);
        ReleaseButton(MOUSEEVENTF_LEFTUP);
        WaitUntil([&] { return AllHome(samples); }, kStartTimeoutMs, 1);
        QueryPerformanceCounter(&end);
        latency.push_back(Milliseconds(begin, end));
        if (GetForegroundWindow() != other)
            std::fprintf(stderr, "the click did not activate the other window\n");
    }
    return latency;
}

// Sweeps and restores with frozen programs: their windows above ten
// answering ones in the strip, frozen before the sweep (left alone) and,
// for the restore, once pushed (their moves posted). Every program is asked
// at once and waited for once, so the figure stays near the bound however
// many there are. Timed from the command to the answering windows at their
// places.
void BenchFrozenPrograms(const std::string &samplesExe, const std::string &directory, int rounds)
{
    const LONG line = 150;
    const Bed bed = StartBed(samplesExe, directory);
    const std::vector<RECT> swept = LeftSweptTo(bed.samples, line);
    std::vector<std::unique_ptr<StallingWindow>> frozen;
    double sweepWithNone = 0, restoreWithNone = 0;
    for (int count : {0, 1, 5, 20}) {
        while (static_cast<int>(frozen.size()) < count) {
            const LONG top = 20 + 30 * static_cast<LONG>(frozen.size());
            frozen.push_back(std::make_unique<StallingWindow>(std::vector<RECT>{{40, top, 340, top + 25}}));
            if (frozen.back()->Window() == NULL) {
                std::fprintf(stderr, "a frozen program did not start\n");
                std::exit(1);
            }
        }
        std::vector<double> sweeps, restores;
        for (int round = 0; round < rounds; ++round) {
            LARGE_INTEGER begin, end;
            for (auto &program : frozen)
                program->StallNow();
            QueryPerformanceCounter(&begin);
            SendMessageA(bed.control, HOST_TIMED_SWEEP, 0, line);
            WaitUntilInPlace(bed.samples, swept);
            QueryPerformanceCounter(&end);
            sweeps.push_back(Milliseconds(begin, end));
            SendMessageA(bed.control, HOST_RESTORE_ALL, 0, 0);
            for (auto &program : frozen) {
                program->Release();
                program->WaitUntilAnswering();
            }
            // Frozen once pushed, for the restore.
            SendMessageA(bed.control, HOST_TIMED_SWEEP, 0, line);
            WaitUntilInPlace(bed.samples, swept);
            for (auto &program : frozen) {
                WaitUntil([&] { return RectOf(program->Window()).left == line; }, kStartTimeoutMs);
                program->StallNow();
            }
            QueryPerformanceCounter(&begin);
            SendMessageA(bed.control, HOST_TIMED_RESTORE_ALL, 0, 0);
            WaitUntilInPlace(bed.samples, bed.samples.home);
            QueryPerformanceCounter(&end);
            restores.push_back(Milliseconds(begin, end));
            for (auto &program : frozen) {
                program->Release();
                program->WaitUntilAnswering();
            }
        }
        const double sweep = Median(sweeps), restore = Median(restores);
        if (count == 0) {
            sweepWithNone = sweep;
            restoreWithNone = restore;
        }
        std::printf("%2d frozen programs above 10 answering windows, median of %d: sweep %.1f ms (%+.1f ms), "
                    "restore %.1f ms (%+.1f ms)\n",
                    count, rounds, sweep, sweep - sweepWithNone, restore, restore - restoreWithNone);
    }
    std::printf("(target: 5 and 20 frozen programs within 150 ms of none)\n");
}

void BenchRestoreLatency(const std::string &samplesExe, const std::string &directory, int opens)
{
    const Bed bed = StartBed(samplesExe, directory);
    // A window that takes the click: a static control would let it through.
    HWND other = CreateSampleWindow({600, 300, 900, 500}, "other", WS_OVERLAPPEDWINDOW, SW_SHOW);
    const std::vector<double> fromBar = RestoreLatency(bed.control, bed.samples, other, opens, false);
    std::printf("restore latency over %d opens (click on another window to the last window back): median %.1f ms, "
                "95th percentile %.1f ms (target: p95 within 30 ms)\n",
                opens, Median(fromBar), Percentile95(fromBar));
    const std::vector<double> fromDesktop = RestoreLatency(bed.control, bed.samples, other, opens, true);
    std::printf("the same after a click on the desktop: median %.1f ms, 95th percentile %.1f ms (the foreground "
                "event; where the window system sends none, as Wine does not, the watch's 100 ms tick)\n",
                Median(fromDesktop), Percentile95(fromDesktop));
    ParkPointer();
    DestroyWindow(other);
}

// Which of the two builds this is: the shipped i686 one, or the x86_64 one
// where the machine runs no 32-bit code.
const char *BuildName()
{
    return sizeof(void *) == 8 ? "x86_64" : "i686";
}

std::string FileName(const std::string &path)
{
    return path.substr(path.find_last_of("\\/") + 1);
}

// Waits until a started one-window program of that window class is up and
// waits for input.
bool OneWindowReady(const BrelloxProcess &process, const char *className)
{
    return WaitUntil([&] { return FindProcessWindow(process.Id(), className, NULL) != NULL && process.Idle(); },
                     kStartTimeoutMs);
}

// CPU time at rest of Brellox and of a program that only runs a 200 ms timer,
// both running over the same period. Wine's GetProcessTimes reports far too
// much for another process, and the kernel's tick count in /proc/PID/stat is
// too coarse for a minute at rest, so the nanoseconds each thread has run are
// read from /proc.
void BenchRest(const std::string &directory, int seconds)
{
    BrelloxProcess brellox(directory);
    BrelloxWindows windows = brellox.WaitForWindows();
    // Start-up is over once the left bar rests at its place.
    if (!windows.Complete() || !WaitForRect(windows.bars[EdgeLeft], {0, 0, 2, 768})) {
        std::fprintf(stderr, "Brellox did not start\n");
        std::exit(1);
    }
    BrelloxProcess timer(directory, TestProgramPath("brellox_timer.exe"));
    if (!OneWindowReady(timer, "BrelloxTimer")) {
        std::fprintf(stderr, "the timer program did not start\n");
        std::exit(1);
    }
    // Wine finishes setting up a new process for a few seconds after its windows
    // are up; rest is what follows.
    WaitUntil([] { return false; }, 5000);
    const int brelloxUnix = UnixProcessId("Brellox.exe"), timerUnix = UnixProcessId("brellox_timer.exe");
    const long long brelloxBefore = CpuNanoseconds(brelloxUnix), timerBefore = CpuNanoseconds(timerUnix);
    // Measuring a minute of rest is the point here: nothing is awaited, and this
    // process wakes only for its own messages.
    WaitUntil([] { return false; }, static_cast<DWORD>(seconds) * 1000, 1000);
    const long long brelloxAfter = CpuNanoseconds(brelloxUnix), timerAfter = CpuNanoseconds(timerUnix);
    if (brelloxBefore < 0 || timerBefore < 0 || brelloxAfter < 0 || timerAfter < 0) {
        std::printf("CPU time at rest: the processes were not found in /proc\n");
        return;
    }
    const double toMsPerMinute = 60.0 / seconds / 1e6;
    const double brelloxMs = (brelloxAfter - brelloxBefore) * toMsPerMinute;
    const double timerMs = (timerAfter - timerBefore) * toMsPerMinute;
    std::printf("CPU time at rest over the same %d s after 5 s to settle (%s build, nanoseconds on a CPU from "
                "/proc): Brellox %.1f ms a minute, a one-window program with a 200 ms timer %.1f ms a minute, "
                "ratio %.2f (target: Brellox at most 20 ms a minute)\n",
                seconds, BuildName(), brelloxMs, timerMs, brelloxMs / timerMs);
}

// Private memory, read from the kernel, of a program started the same way as
// the others and left to settle: the total and each mapping's share.
struct MemoryAtRest {
    long long kib = -1;
    std::map<std::string, long long> byMapping;
};

MemoryAtRest MeasureMemoryAtRest(const std::string &exe, const std::string &directory, bool brellox)
{
    MemoryAtRest memory;
    BrelloxProcess process(directory, exe);
    if (!(brellox ? process.WaitForWindows().Complete() : OneWindowReady(process, "BrelloxMinimal")))
        return memory;
    // As for the CPU figure: Wine finishes setting up a new process for a few seconds.
    WaitUntil([] { return false; }, 5000);
    const std::string name = FileName(exe);
    const int unixProcessId = UnixProcessId(name.c_str());
    memory.kib = PrivateMemoryKiB(unixProcessId);
    memory.byMapping = ReadPrivateKiBByMapping(unixProcessId, name);
    return memory;
}

const char kAllEdges[] = "[Brellox]\r\nLeft=1\r\nRight=1\r\nTop=1\r\nBottom=1\r\n";

// The mappings that make the difference, largest first; the rest summed up.
void PrintMappingDifferences(const char *against, const MemoryAtRest &floor, const MemoryAtRest &brellox)
{
    const size_t shown = 12;
    const auto differences = MappingDifferences(floor.byMapping, brellox.byMapping);
    std::printf("  mappings where Brellox has more (+) or less (-) private memory than %s, largest first:\n", against);
    long long rest = 0;
    for (size_t i = 0; i < differences.size(); ++i) {
        if (i < shown)
            std::printf("    %+6lld KiB  %s\n", differences[i].second, differences[i].first.c_str());
        else
            rest += differences[i].second;
    }
    if (differences.size() > shown)
        std::printf("    %+6lld KiB  in %zu other mappings\n", rest, differences.size() - shown);
}

void BenchMemory(const std::string &minimal, const std::string &directory)
{
    const MemoryAtRest bare = MeasureMemoryAtRest(minimal, directory, false);
    const MemoryAtRest manifested = MeasureMemoryAtRest(TestProgramPath("brellox_manifested.exe"), directory, false);
    const MemoryAtRest brellox = MeasureMemoryAtRest(BrelloxExePath(), directory, true);
    if (bare.kib < 0 || manifested.kib < 0 || brellox.kib < 0) {
        std::printf("private memory at rest: could not be read from /proc\n");
        return;
    }
    std::printf("private memory at rest (%s build): Brellox %lld KiB; one-window program %lld KiB, %+lld KiB; "
                "the same program with Brellox's manifest %lld KiB, %+lld KiB (target: at most 512 KiB above the "
                "program with the same manifest)\n",
                BuildName(), brellox.kib, bare.kib, brellox.kib - bare.kib, manifested.kib,
                brellox.kib - manifested.kib);
    PrintMappingDifferences("the program with the same manifest", manifested, brellox);
    PrintMappingDifferences("the bare one-window program", bare, brellox);

    const MemoryAtRest fourBars =
        MeasureMemoryAtRest(BrelloxExePath(), SettingsDirectory("bench-four-bars", kAllEdges), true);
    if (fourBars.kib < 0) {
        std::printf("private memory at rest with a bar on each edge: could not be read from /proc\n");
        return;
    }
    std::printf("private memory at rest with a bar on each of the four edges of one monitor: Brellox %lld KiB, "
                "%+lld KiB above the one-window program\n",
                fourBars.kib, fourBars.kib - bare.kib);
}

// Private memory at rest after the Start with Windows item was used: made
// and then removed the shortcut, each through the bar's keyboard menu on a
// double-click open, against the same open and menu left with Esc.
void BenchStartupItemMemory()
{
    char folder[MAX_PATH] = "";
    SHGetFolderPathA(NULL, CSIDL_STARTUP | CSIDL_FLAG_DONT_VERIFY, NULL, SHGFP_TYPE_CURRENT, folder);
    const std::string shortcut = std::string(folder) + "\\Brellox.lnk";
    DeleteFileA(shortcut.c_str());
    const std::string exe = BrelloxExePath();
    BrelloxProcess process(SettingsDirectory("bench-startup-item", "[Brellox]\r\n"), exe);
    const BrelloxWindows windows = process.WaitForWindows();
    if (!windows.Complete()) {
        std::printf("private memory after the Start with Windows item: Brellox did not start\n");
        return;
    }
    HWND bar = windows.bars[EdgeLeft];
    const int unixProcessId = UnixProcessId(FileName(exe).c_str());
    // Opens the left bar, shows its menu from the keyboard, presses the keys
    // given, and puts everything back; then lets the process settle.
    const auto useMenu = [&](int downs, WORD last) {
        DoubleClick(1, 400);
        WaitUntil([&] { return RectOf(bar).right > 2 && GetForegroundWindow() == bar; }, kStartTimeoutMs);
        PressChord({VK_SHIFT}, VK_F10);
        WaitUntil([&] { return ShownMenu(process.Id()) != NULL; }, kStartTimeoutMs);
        PressKey(VK_DOWN, downs);
        PressKey(last);
        WaitUntil([&] { return ShownMenu(process.Id()) == NULL; }, kStartTimeoutMs);
        PressKey(VK_ESCAPE);
        WaitUntil([&] { return RectOf(bar).right <= 2; }, kStartTimeoutMs);
        WaitUntil([] { return false; }, 5000);
        return PrivateMemoryKiB(unixProcessId);
    };
    WaitUntil([] { return false; }, 5000);
    const long long atStart = PrivateMemoryKiB(unixProcessId);
    const long long menuLeft = useMenu(0, VK_ESCAPE);
    const long long made = useMenu(2, VK_RETURN);
    const bool wasMade = GetFileAttributesA(shortcut.c_str()) != INVALID_FILE_ATTRIBUTES;
    const long long removed = useMenu(2, VK_RETURN);
    const bool wasRemoved = GetFileAttributesA(shortcut.c_str()) == INVALID_FILE_ATTRIBUTES;
    DeleteFileA(shortcut.c_str());
    if (atStart < 0 || menuLeft < 0 || made < 0 || removed < 0 || !wasMade || !wasRemoved) {
        std::printf("private memory after the Start with Windows item: could not be measured (shortcut made %d, "
                    "removed %d)\n",
                    wasMade, wasRemoved);
        return;
    }
    std::printf("private memory at rest around the Start with Windows item (%s build): %lld KiB at start, %lld KiB "
                "after an open and its menu left with Esc; after the item made the shortcut %+lld KiB, after it "
                "removed it %+lld KiB (target: within 8 KiB)\n",
                BuildName(), atStart, menuLeft, made - menuLeft, removed - menuLeft);
}

// Private memory at rest on two monitors: with every edge's bar on both, six
// bars, against the one-window program and against four bars on the same
// monitors (no bottom bars: the left and top of the primary, the top and right
// of the second monitor).
void BenchMemoryOnMonitors(const std::string &minimal, const std::string &directory)
{
    const MemoryAtRest bare = MeasureMemoryAtRest(minimal, directory, false);
    const MemoryAtRest six =
        MeasureMemoryAtRest(BrelloxExePath(), SettingsDirectory("bench-six-bars", kAllEdges), true);
    const MemoryAtRest four = MeasureMemoryAtRest(
        BrelloxExePath(), SettingsDirectory("bench-four-bars", "[Brellox]\r\nLeft=1\r\nRight=1\r\nTop=1\r\n"), true);
    if (bare.kib < 0 || six.kib < 0 || four.kib < 0) {
        std::printf("private memory at rest on two monitors: could not be read from /proc\n");
        return;
    }
    std::printf(
        "private memory at rest on two monitors (%s build): six bars (every edge) %lld KiB, %+lld KiB above the "
        "one-window program (%lld KiB); four bars (the left, top and right edges) %lld KiB, %+lld KiB; six "
        "bars against four: %+lld KiB (target: at most 64 KiB more)\n",
        BuildName(), six.kib, six.kib - bare.kib, bare.kib, four.kib, four.kib - bare.kib, six.kib - four.kib);
    PrintMappingDifferences("with four bars", four, six);
}

} // namespace

int main(int argc, char **argv)
{
    const bool monitors = argc > 1 && std::strcmp(argv[1], "--monitors") == 0;
    if (monitors) {
        --argc;
        ++argv;
    }
    if (argc < 3) {
        std::fprintf(stderr, "usage: brellox_bench [--monitors] MINIMAL_EXE SAMPLES_EXE [ROUNDS] [REST_SECONDS]\n");
        return 2;
    }
    const std::string minimal = argv[1];
    const std::string samples = argv[2];
    const int rounds = argc > 3 ? std::atoi(argv[3]) : 30;
    const int restSeconds = argc > 4 ? std::atoi(argv[4]) : 60;
    const std::string directory = MakeScratchDirectory("bench");

    EndAllBrellox();
    if (monitors) {
        if (Monitors().size() != 2) {
            std::fprintf(stderr, "--monitors needs a session of two monitors side by side\n");
            return 2;
        }
        BenchQuarterSweep(samples, directory, rounds);
        std::printf("(target: the ratio no worse than the same figure on one monitor)\n");
        std::fflush(stdout);
        BenchMemoryOnMonitors(minimal, directory);
        EndAllBrellox();
        return 0;
    }
    std::vector<double> brelloxTimes, minimalTimes;
    // Interleaved, so both see the same conditions.
    for (int round = 0; round < rounds; ++round) {
        minimalTimes.push_back(TimeStart(minimal, directory, false));
        brelloxTimes.push_back(TimeStart(BrelloxExePath(), directory, true));
    }

    const double brellox = Median(brelloxTimes), floor = Median(minimalTimes);
    std::printf("start-up to the owner window and every bar, median of %d: %.1f ms\n", rounds, brellox);
    std::printf("start-up of a one-window program, median of %d: %.1f ms\n", rounds, floor);
    std::printf("start-up ratio Brellox / one-window program: %.2f\n", brellox / floor);
    std::fflush(stdout);

    BenchSweeps(samples, directory, rounds);
    BenchQuarterSweep(samples, directory, rounds);
    std::printf("(the same figure on two monitors follows in their session)\n");
    std::fflush(stdout);
    BenchLeaveList(samples, rounds);
    std::fflush(stdout);
    BenchStalledWindow(samples, directory, std::min(rounds, 10));
    std::fflush(stdout);
    BenchFrozenPrograms(samples, directory, std::min(rounds, 10));
    std::fflush(stdout);
    BenchRefusingWindow(samples, directory, rounds);
    std::fflush(stdout);
    BenchRestoreLatency(samples, directory, std::max(rounds, 50));
    std::fflush(stdout);
    EndAllBrellox();
    BenchMemory(minimal, directory);
    std::fflush(stdout);
    EndAllBrellox();
    BenchStartupItemMemory();
    std::fflush(stdout);
    EndAllBrellox();
    BenchRest(directory, restSeconds);
    EndAllBrellox();
    return 0;
}
