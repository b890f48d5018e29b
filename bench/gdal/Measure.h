#pragma once
// Stopwatch, medians, child processes and the process's memory, for the
// side-by-side runs against GDAL's command-line tools.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace corvane::bench {

// Seconds taken by `work`.
double secondsOf(const std::function<void()>& work);

double median(std::vector<double> values);

// Runs a program with its output thrown away; returns its exit status
// (-1 when it could not be started or did not exit normally).
int runQuietly(const std::string& program, const std::vector<std::string>& args);

// Resident set size and its peak, from /proc/self/status, in bytes.
struct Memory {
    std::int64_t resident = 0;
    std::int64_t peak = 0;
    std::int64_t heapKept = 0;  // filled by callers: heapInUse() growth
};
Memory currentMemory();
// Starts a new peak from the current size (Linux: /proc/self/clear_refs).
bool resetPeakMemory();
// Bytes the allocator has handed out and not had back (0 where unknown).
std::int64_t heapInUse();

} // namespace corvane::bench
