// What the benchmarks and the soak read from the kernel's /proc: the parsers on
// text written here, and the search for this session's Unix processes against
// real ones started with and without this session's Wine prefix.
#include "harness.h"
#include "proc_files.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(ProcFiles, EnvironmentValueReadsOnlyTheWholeName)
{
    const char raw[] = "HOME=/root\0MYWINEPREFIX=/wrong\0WINEPREFIX=/work/p64\0EMPTY=\0LAST=x";
    const std::string block(raw, sizeof(raw) - 1);
    std::string value;
    ASSERT_TRUE(EnvironmentValue(block, "WINEPREFIX", &value));
    EXPECT_EQ("/work/p64", value);
    ASSERT_TRUE(EnvironmentValue(block, "HOME", &value));
    EXPECT_EQ("/root", value);
    ASSERT_TRUE(EnvironmentValue(block, "LAST", &value));
    EXPECT_EQ("x", value);
    ASSERT_TRUE(EnvironmentValue(block, "EMPTY", &value));
    EXPECT_EQ("", value);
    EXPECT_FALSE(EnvironmentValue(block, "WINE", &value));
    EXPECT_FALSE(EnvironmentValue(std::string(), "HOME", &value));
}

TEST(ProcFiles, ScheduledNanosecondsIsTheFirstFieldBeyond32Bits)
{
    EXPECT_EQ(12345678901234LL, ScheduledNanoseconds("12345678901234 5551212 407\n"));
    EXPECT_EQ(0, ScheduledNanoseconds("0 0 0\n"));
    EXPECT_EQ(-1, ScheduledNanoseconds(""));
    EXPECT_EQ(-1, ScheduledNanoseconds("-5 1 1\n"));
}

// Two mappings of one file, anonymous ones apart from the named [heap], and the
// program's own file told by its name whatever its case; only private pages count.
const char kSmaps[] = "00400000-00401000 r--p 00000000 08:01 1234      /work/build/BRELLOX.EXE\n"
                      "Size:                  4 kB\n"
                      "Rss:                   4 kB\n"
                      "Shared_Clean:          4 kB\n"
                      "Private_Clean:         0 kB\n"
                      "Private_Dirty:        12 kB\n"
                      "7f0000001000-7f0000003000 r-xp 00001000 08:01 99 /usr/lib/wine/x86_64-windows/user32.dll\n"
                      "Private_Clean:         8 kB\n"
                      "Private_Dirty:         4 kB\n"
                      "AnonHugePages:       100 kB\n"
                      "7f0000003000-7f0000004000 rw-p 00003000 08:01 99 /usr/lib/wine/x86_64-windows/user32.dll\n"
                      "Private_Clean:         0 kB\n"
                      "Private_Dirty:         4 kB\n"
                      "VmFlags: rd wr mr mw me ac sd\n"
                      "7f0000010000-7f0000020000 rw-p 00000000 00:00 0 \n"
                      "Private_Clean:         0 kB\n"
                      "Private_Dirty:        64 kB\n"
                      "7f0000030000-7f0000040000 rw-p 00000000 00:00 0\n"
                      "Private_Dirty:        16 kB\n"
                      "01000000-01100000 rw-p 00000000 00:00 0                  [heap]\n"
                      "Private_Dirty:       200 kB\n";

TEST(ProcFiles, PrivateMemoryAddsUpByMappedFile)
{
    const auto byMapping = PrivateKiBByMapping(kSmaps, "Brellox.exe");
    ASSERT_EQ(4u, byMapping.size());
    EXPECT_EQ(12, byMapping.at(kProgramFileMapping));
    EXPECT_EQ(16, byMapping.at("/usr/lib/wine/x86_64-windows/user32.dll"));
    EXPECT_EQ(80, byMapping.at(kAnonymousMapping));
    EXPECT_EQ(200, byMapping.at("[heap]"));
    // Another program's name leaves the file under its path.
    EXPECT_EQ(12, PrivateKiBByMapping(kSmaps, "rellox.exe").at("/work/build/BRELLOX.EXE"));
}

TEST(ProcFiles, DifferencesComeLargestFirstWhateverTheirSign)
{
    const std::map<std::string, long long> bare = {{"a.dll", 100}, {"same.dll", 40}, {"gone.dll", 30}};
    const std::map<std::string, long long> brellox = {{"a.dll", 110}, {"same.dll", 40}, {"uxtheme.dll", 500}};
    const std::vector<std::pair<std::string, long long>> expected = {
        {"uxtheme.dll", 500}, {"gone.dll", -30}, {"a.dll", 10}};
    EXPECT_EQ(expected, MappingDifferences(bare, brellox));
    EXPECT_TRUE(MappingDifferences(brellox, brellox).empty());
}

// Starts xdotool waiting 5 s, with this process's environment or with another
// Wine prefix in it. Returns whether it started.
bool StartWaitingXdotool(const char *otherPrefix)
{
    std::string environment;
    if (otherPrefix != NULL) {
        char *block = GetEnvironmentStringsA();
        for (const char *entry = block; *entry != '\0'; entry += lstrlenA(entry) + 1) {
            if (std::string(entry).compare(0, 11, "WINEPREFIX=") != 0)
                environment.append(entry).push_back('\0');
        }
        FreeEnvironmentStringsA(block);
        environment.append("WINEPREFIX=").append(otherPrefix).push_back('\0');
        environment.push_back('\0');
    }
    std::string commandLine = "/usr/bin/xdotool sleep 5";
    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info = {};
    if (!CreateProcessA(NULL, &commandLine[0], NULL, NULL, FALSE, 0, otherPrefix != NULL ? &environment[0] : NULL, NULL,
                        &startup, &info))
        return false;
    // Wine fills in a Unix program's handles with whatever its stack held,
    // under 32-bit Wine the handle of standard output: closed, the rest of the
    // run's report would be lost. Only handles of that very process are closed.
    if (info.dwProcessId != 0 && GetProcessId(info.hProcess) == info.dwProcessId &&
        GetThreadId(info.hThread) == info.dwThreadId) {
        CloseHandle(info.hThread);
        CloseHandle(info.hProcess);
    }
    return true;
}

TEST(ProcFiles, UnixProcessIdFindsOnlyProcessesOfThisWinePrefix)
{
    char prefix[MAX_PATH * 4];
    ASSERT_NE(0u, GetEnvironmentVariableA("WINEPREFIX", prefix, sizeof(prefix)))
        << "the session names no Wine prefix to tell its processes by";
    // The pointer parked by the test before may still have its xdotool ending.
    ASSERT_TRUE(WaitUntil([] { return UnixProcessId("xdotool") == -1; }, kStartTimeoutMs))
        << "an xdotool of this session is still running";

    const std::string elsewhere = std::string(prefix) + "-elsewhere";
    ASSERT_TRUE(StartWaitingXdotool(elsewhere.c_str()));
    EXPECT_TRUE(HoldsFor([] { return UnixProcessId("xdotool") == -1; }, 1000));

    ASSERT_TRUE(StartWaitingXdotool(NULL));
    int found = -1;
    EXPECT_TRUE(WaitUntil([&] { return (found = UnixProcessId("xdotool")) != -1; }, kStartTimeoutMs));
    std::string theirs;
    EXPECT_TRUE(
        EnvironmentValue(ReadTextFile("Z:\\proc\\" + std::to_string(found) + "\\environ"), "WINEPREFIX", &theirs));
    EXPECT_EQ(prefix, theirs);
    // Both wait out their 5 s, so that no later test meets them.
    WaitUntil([] { return UnixProcessId("xdotool") == -1; }, 10000);
}

} // namespace
