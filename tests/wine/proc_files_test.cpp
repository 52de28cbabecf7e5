// What the benchmarks and the soak read from the kernel's /proc: the parsers on
// text written here.
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

} // namespace
