// Figures of Wine's Unix processes, read from the Linux kernel's /proc through
// drive Z:. Wine reports other processes' times and memory poorly; the kernel
// counts them exactly. The parsers take the files' text, so they can be checked
// on text a test writes.
#ifndef BRELLOX_TESTS_PROC_FILES_H
#define BRELLOX_TESTS_PROC_FILES_H

#include <map>
#include <string>
#include <utility>
#include <vector>

// The value of NAME in a NUL-separated environment block as /proc/PID/environ
// holds it. Returns whether NAME is there.
bool EnvironmentValue(const std::string &block, const char *name, std::string *value);

// The first field of /proc/PID/task/TID/schedstat: nanoseconds the thread has
// run on a CPU. -1 when the text holds no such number.
long long ScheduledNanoseconds(const std::string &schedstat);

// Private memory (Private_Clean + Private_Dirty) of each mapping in the text of
// /proc/PID/smaps, in KiB, summed by the mapped file's path. Mappings of no
// file add up under kAnonymousMapping; those of a file whose name ends in
// programFile (the program's own image) under kProgramFileMapping, so that two
// programs can be compared.
extern const char *const kAnonymousMapping;
extern const char *const kProgramFileMapping;
std::map<std::string, long long> PrivateKiBByMapping(const std::string &smaps, const std::string &programFile);

// What b has more than a, mapping by mapping (negative where it has less),
// leaving out equal ones; largest difference first, whichever its sign.
std::vector<std::pair<std::string, long long>> MappingDifferences(const std::map<std::string, long long> &a,
                                                                  const std::map<std::string, long long> &b);

// The same figures of a running Unix process; -1 or none when it cannot be read.
// CPU time is summed over the process's threads that are alive when it is read.
long long CpuNanoseconds(int unixProcessId);
std::map<std::string, long long> ReadPrivateKiBByMapping(int unixProcessId, const std::string &programFile);

#endif
