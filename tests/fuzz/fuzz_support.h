#pragma once
// Shared by the fuzz targets: a broken property stops the run as a crash,
// which libFuzzer reports and saves the input of.

#include <cstdio>
#include <cstdlib>
#include <string_view>

namespace mk::fuzz {

inline void Require(bool holds, const char* property) {
    if (holds) return;
    std::fprintf(stderr, "property broken: %s\n", property);
    std::abort();
}

inline std::string_view Bytes(const unsigned char* data, size_t size) {
    return {reinterpret_cast<const char*>(data), size};
}

}  // namespace mk::fuzz
