#include "support/peak_memory.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>

namespace mk::test {
namespace {

// A "VmXXX:   123 kB" line of /proc/self/status, in bytes.
std::optional<long long> StatusBytes(const char* key) {
    std::ifstream status("/proc/self/status");
    std::string line;
    const std::size_t keyLength = std::strlen(key);
    while (std::getline(status, line)) {
        if (line.compare(0, keyLength, key) == 0 && line.size() > keyLength &&
            line[keyLength] == ':') {
            return std::stoll(line.substr(keyLength + 1)) * 1024;
        }
    }
    return std::nullopt;
}

bool ResetPeak() {
    std::ofstream clear("/proc/self/clear_refs");
    clear << "5";
    clear.flush();
    return static_cast<bool>(clear);
}

}  // namespace

std::optional<long long> PeakMemoryGrowth(const std::function<void()>& work) {
    if (!ResetPeak()) return std::nullopt;
    const std::optional<long long> before = StatusBytes("VmRSS");
    work();
    const std::optional<long long> peak = StatusBytes("VmHWM");
    if (!before || !peak) return std::nullopt;
    return *peak - *before;
}

void WriteJunk(const char* path, long long size, const char* head, char fill) {
    std::FILE* file = std::fopen(path, "wb");
    if (file == nullptr) return;
    std::fputs(head, file);
    const std::string block(1 << 20, fill);
    long long left = size - static_cast<long long>(std::strlen(head));
    while (left > 0) {
        const auto n = static_cast<std::size_t>(std::min<long long>(left, block.size()));
        std::fwrite(block.data(), 1, n, file);
        left -= static_cast<long long>(n);
    }
    std::fclose(file);
}

}  // namespace mk::test
