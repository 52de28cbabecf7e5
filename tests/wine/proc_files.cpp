#include "proc_files.h"

#include "harness.h"

#include <windows.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>

const char *const kAnonymousMapping = "(anonymous)";
const char *const kProgramFileMapping = "(the program's own file)";

bool EnvironmentValue(const std::string &block, const char *name, std::string *value)
{
    const std::string wanted = std::string(name) + "=";
    size_t start = 0;
    while (start < block.size()) {
        size_t end = block.find('\0', start);
        if (end == std::string::npos)
            end = block.size();
        if (block.compare(start, wanted.size(), wanted) == 0) {
            *value = block.substr(start + wanted.size(), end - start - wanted.size());
            return true;
        }
        start = end + 1;
    }
    return false;
}

long long ScheduledNanoseconds(const std::string &schedstat)
{
    long long nanoseconds = -1;
    return std::sscanf(schedstat.c_str(), "%lld", &nanoseconds) == 1 && nanoseconds >= 0 ? nanoseconds : -1;
}

static bool EndsWithFileName(const std::string &path, const std::string &fileName)
{
    if (fileName.empty() || path.size() <= fileName.size() || path[path.size() - fileName.size() - 1] != '/')
        return false;
    return std::equal(fileName.begin(), fileName.end(), path.end() - fileName.size(), [](char a, char b) {
        return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
    });
}

std::map<std::string, long long> PrivateKiBByMapping(const std::string &smaps, const std::string &programFile)
{
    std::map<std::string, long long> byMapping;
    std::string current;
    bool inMapping = false;
    for (const std::string &line : Lines(smaps)) {
        // A mapping starts with its address range, permissions, offset,
        // device, inode and, for a file, the file's path.
        unsigned long long from, to, offset, inode;
        unsigned major, minor;
        char permissions[8];
        int pathAt = 0;
        if (std::sscanf(line.c_str(), "%llx-%llx %7s %llx %x:%x %llu %n", &from, &to, permissions, &offset, &major,
                        &minor, &inode, &pathAt) == 7) {
            const std::string path = line.substr(static_cast<size_t>(pathAt));
            current = path.empty()                          ? kAnonymousMapping
                      : EndsWithFileName(path, programFile) ? kProgramFileMapping
                                                            : path;
            inMapping = true;
            continue;
        }
        long long kib = 0;
        if (inMapping && (std::sscanf(line.c_str(), "Private_Clean: %lld kB", &kib) == 1 ||
                          std::sscanf(line.c_str(), "Private_Dirty: %lld kB", &kib) == 1))
            byMapping[current] += kib;
    }
    return byMapping;
}

std::vector<std::pair<std::string, long long>> MappingDifferences(const std::map<std::string, long long> &a,
                                                                  const std::map<std::string, long long> &b)
{
    std::map<std::string, long long> difference;
    for (const auto &entry : b)
        difference[entry.first] += entry.second;
    for (const auto &entry : a)
        difference[entry.first] -= entry.second;
    std::vector<std::pair<std::string, long long>> differences;
    for (const auto &entry : difference) {
        if (entry.second != 0)
            differences.push_back(entry);
    }
    std::stable_sort(differences.begin(), differences.end(),
                     [](const auto &x, const auto &y) { return std::llabs(x.second) > std::llabs(y.second); });
    return differences;
}

long long CpuNanoseconds(int unixProcessId)
{
    if (unixProcessId < 0)
        return -1;
    const std::string tasks = "Z:\\proc\\" + std::to_string(unixProcessId) + "\\task\\";
    WIN32_FIND_DATAA entry;
    HANDLE search = FindFirstFileA((tasks + "*").c_str(), &entry);
    if (search == INVALID_HANDLE_VALUE)
        return -1;
    long long total = 0;
    int threads = 0;
    do {
        if (entry.cFileName[0] < '0' || entry.cFileName[0] > '9')
            continue;
        // A thread that ended since the listing has no file left; it is skipped.
        const long long nanoseconds = ScheduledNanoseconds(ReadTextFile(tasks + entry.cFileName + "\\schedstat"));
        if (nanoseconds >= 0) {
            total += nanoseconds;
            ++threads;
        }
    } while (FindNextFileA(search, &entry));
    FindClose(search);
    return threads > 0 ? total : -1;
}

std::map<std::string, long long> ReadPrivateKiBByMapping(int unixProcessId, const std::string &programFile)
{
    if (unixProcessId < 0)
        return {};
    return PrivateKiBByMapping(ReadTextFile("Z:\\proc\\" + std::to_string(unixProcessId) + "\\smaps"), programFile);
}
