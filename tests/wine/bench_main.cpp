// Benchmarks of the real program under Wine. Prints figures, asserts nothing.
//
//   brellox_bench.exe MINIMAL_EXE SAMPLES_EXE [ROUNDS] [REST_SECONDS]
//
// brellox_timer.exe and brellox_manifested.exe, the floors of the CPU and the
// memory figures, are taken from beside this program.
#include "harness.h"
#include "host_control.h"
#include "proc_files.h"
#include "stalling_window.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
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

bool AllHome(const Samples &samples)
{
    for (size_t i = 0; i < samples.windows.size(); ++i) {
        if (!SameRect(RectOf(samples.windows[i]), samples.home[i]))
            return false;
    }
    return true;
}

// Whether every sample window that started in the strip of a left sweep at
// that line now stands on it, and every other one is still at home.
bool SweptTo(const Samples &samples, LONG line)
{
    for (size_t i = 0; i < samples.windows.size(); ++i) {
        const LONG left = RectOf(samples.windows[i]).left;
        if (left != (samples.home[i].left <= line ? line : samples.home[i].left))
            return false;
    }
    return true;
}

bool AllAt(const Samples &samples, LONG left)
{
    for (HWND hwnd : samples.windows) {
        if (RectOf(hwnd).left != left)
            return false;
    }
    return true;
}

// The floor a sweep is measured against: the same enumeration and the same
// moves, made directly, with nothing decided but whether a window of the
// samples reaches the strip.
struct FloorSweep {
    const std::vector<HWND> *windows;
    LONG line;
};

BOOL CALLBACK MoveIfSample(HWND hwnd, LPARAM lParam)
{
    FloorSweep *floor = reinterpret_cast<FloorSweep *>(lParam);
    if (std::binary_search(floor->windows->begin(), floor->windows->end(), hwnd)) {
        RECT r = RectOf(hwnd);
        if (r.left <= floor->line)
            SetWindowPos(hwnd, HWND_TOP, floor->line, r.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    return TRUE;
}

void SendHome(const Samples &samples)
{
    for (size_t i = 0; i < samples.windows.size(); ++i) {
        SetWindowPos(samples.windows[i], HWND_TOP, samples.home[i].left, samples.home[i].top, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
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

// A sweep timed by the host, in milliseconds, then checked and undone.
double TimedSweep(HWND control, UINT command, const Samples &samples, LONG line)
{
    const double ms = SendMessageA(control, command, 0, line) / 1000.0;
    if (!SweptTo(samples, line))
        std::fprintf(stderr, "the sweep did not clear the strip as it should\n");
    SendMessageA(control, HOST_RESTORE_ALL, 0, 0);
    WaitUntil([&] { return AllHome(samples); }, kStartTimeoutMs);
    return ms;
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
    std::vector<double> bounded, waiting, floor, kinds;
    for (int round = 0; round < rounds; ++round) {
        bounded.push_back(TimedSweep(control, HOST_TIMED_SWEEP, samples, line));
        waiting.push_back(TimedSweep(control, HOST_TIMED_WAITING_SWEEP, samples, line));
        kinds.push_back(SendMessageA(control, HOST_TIMED_KIND_QUESTIONS, 0, line) / 1000.0);

        FloorSweep direct = {&samples.windows, line};
        LARGE_INTEGER begin, end;
        QueryPerformanceCounter(&begin);
        EnumWindows(MoveIfSample, reinterpret_cast<LPARAM>(&direct));
        QueryPerformanceCounter(&end);
        floor.push_back(Milliseconds(begin, end));
        SendHome(samples);
        WaitUntil([&] { return AllHome(samples); }, kStartTimeoutMs);
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

// What one window whose thread has stopped costs a sweep that meets it and a
// restore that puts it back: the time beyond the same with the thread running.
void BenchStalledWindow(const std::string &samplesExe, const std::string &directory, int rounds)
{
    const LONG line = 150;
    Samples samples = StartSamples(samplesExe, 10, directory);
    HWND control;
    auto host = StartHost(directory, &control);
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
        sweep.push_back(SendMessageA(control, HOST_TIMED_SWEEP, 0, line) / 1000.0);
        restore.push_back(SendMessageA(control, HOST_TIMED_RESTORE_ALL, 0, 0) / 1000.0);
        WaitUntil([&] { return AllHome(samples) && stallHome(); }, kStartTimeoutMs);

        // Stopped before the sweep: left alone.
        stalling.StallNow();
        sweepStalled.push_back(SendMessageA(control, HOST_TIMED_SWEEP, 0, line) / 1000.0);
        SendMessageA(control, HOST_RESTORE_ALL, 0, 0);
        stalling.Release();
        WaitUntil([&] { return AllHome(samples) && stallHome(); }, kStartTimeoutMs);

        // Stopped after its move: its restore is posted.
        SendMessageA(control, HOST_TIMED_SWEEP, 0, line);
        WaitUntil([&] { return RectOf(stalling.Window()).left == line; }, kStartTimeoutMs);
        stalling.StallNow();
        restoreStalled.push_back(SendMessageA(control, HOST_TIMED_RESTORE_ALL, 0, 0) / 1000.0);
        stalling.Release();
        WaitUntil([&] { return AllHome(samples) && stallHome(); }, kStartTimeoutMs);
    }
    std::printf("one stopped window among 11 in the strip, median of %d: a sweep takes %.1f ms against %.1f ms, "
                "%.1f ms more; a restore takes %.1f ms against %.1f ms, %.1f ms more (bound 100 ms)\n",
                rounds, Median(sweepStalled), Median(sweep), Median(sweepStalled) - Median(sweep),
                Median(restoreStalled), Median(restore), Median(restoreStalled) - Median(restore));

    // Once the window system counts the thread as hung, nothing waits at all.
    stalling.StallNow();
    WaitUntil([&] { return IsHungAppWindow(stalling.Window()) != FALSE; }, kStartTimeoutMs);
    const double hung = SendMessageA(control, HOST_TIMED_SWEEP, 0, line) / 1000.0;
    SendMessageA(control, HOST_RESTORE_ALL, 0, 0);
    stalling.Release();
    std::printf("the same window once the window system counts it as hung: a sweep takes %.1f ms\n", hung);
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

void BenchRestoreLatency(const std::string &samplesExe, const std::string &directory, int opens)
{
    Samples samples = StartSamples(samplesExe, 10, directory);
    HWND control;
    auto host = StartHost(directory, &control);
    // A window that takes the click: a static control would let it through.
    HWND other = CreateSampleWindow({600, 300, 900, 500}, "other", WS_OVERLAPPEDWINDOW, SW_SHOW);
    const std::vector<double> fromBar = RestoreLatency(control, samples, other, opens, false);
    std::printf("restore latency over %d opens (click on another window to the last window back): median %.1f ms, "
                "95th percentile %.1f ms (target: p95 within 30 ms)\n",
                opens, Median(fromBar), Percentile95(fromBar));
    const std::vector<double> fromDesktop = RestoreLatency(control, samples, other, opens, true);
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
    if (!windows.Complete() || !WaitForRect(windows.bars[0], {0, 0, 2, 768})) {
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
}

} // namespace

int main(int argc, char **argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: brellox_bench MINIMAL_EXE SAMPLES_EXE [ROUNDS] [REST_SECONDS]\n");
        return 2;
    }
    const std::string minimal = argv[1];
    const std::string samples = argv[2];
    const int rounds = argc > 3 ? std::atoi(argv[3]) : 30;
    const int restSeconds = argc > 4 ? std::atoi(argv[4]) : 60;
    const std::string directory = MakeScratchDirectory("bench");

    EndAllBrellox();
    std::vector<double> brelloxTimes, minimalTimes;
    // Interleaved, so both see the same conditions.
    for (int round = 0; round < rounds; ++round) {
        minimalTimes.push_back(TimeStart(minimal, directory, false));
        brelloxTimes.push_back(TimeStart(BrelloxExePath(), directory, true));
    }

    const double brellox = Median(brelloxTimes), floor = Median(minimalTimes);
    std::printf("start-up to all five windows, median of %d: %.1f ms\n", rounds, brellox);
    std::printf("start-up of a one-window program, median of %d: %.1f ms\n", rounds, floor);
    std::printf("start-up ratio Brellox / one-window program: %.2f\n", brellox / floor);
    std::fflush(stdout);

    BenchSweeps(samples, directory, rounds);
    std::fflush(stdout);
    BenchStalledWindow(samples, directory, std::min(rounds, 10));
    std::fflush(stdout);
    BenchRestoreLatency(samples, directory, std::max(rounds, 50));
    std::fflush(stdout);
    EndAllBrellox();
    BenchMemory(minimal, directory);
    std::fflush(stdout);
    EndAllBrellox();
    BenchRest(directory, restSeconds);
    EndAllBrellox();
    return 0;
}
