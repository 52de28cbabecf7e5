// Benchmarks of the real program under Wine. Prints figures, asserts nothing.
//
//   brellox_bench.exe MINIMAL_EXE [ROUNDS]
#include "harness.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
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

} // namespace

int main(int argc, char **argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: brellox_bench MINIMAL_EXE [ROUNDS]\n");
        return 2;
    }
    const std::string minimal = argv[1];
    const int rounds = argc > 2 ? std::atoi(argv[2]) : 30;
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
    return 0;
}
