#pragma once
// How much memory a piece of work makes the process hold at its peak.

#include <functional>
#include <optional>

namespace mk::test {

// The growth of the process's resident memory at its highest point while
// `work` runs, in bytes, measured against what was resident just before.
// The kernel's high-water mark is reset first (Linux: /proc/self/clear_refs)
// so that what earlier tests used does not count. Empty where the platform
// cannot tell.
std::optional<long long> PeakMemoryGrowth(const std::function<void()>& work);

// A file of `size` bytes: `head`, then `fill` repeated. Line feeds once
// made every reader split millions of empty lines; any other byte makes one
// endless line.
void WriteJunk(const char* path, long long size, const char* head = "", char fill = '\n');

}  // namespace mk::test
