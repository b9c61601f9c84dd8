// The core's folders form one order (see docs/architecture.md): a folder
// may include itself and the folders below it, never one above or beside
// it. This test reads every include of src/core and holds them to that
// order, so a change that leans the wrong way fails here rather than in a
// reviewer's eye.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

// What each folder of src/core may include besides itself.
const std::map<std::string, std::set<std::string>>& AllowedIncludes() {
    static const std::map<std::string, std::set<std::string>> allowed = {
        {"host", {}},
        {"text", {"host"}},
        {"model", {"text", "host"}},
        {"graphics", {"model", "text", "host"}},
        {"yield", {"graphics", "model", "text", "host"}},
        {"basedata", {"graphics", "model", "text", "host"}},
        {"planning", {"yield", "graphics", "model", "text", "host"}},
        {"register", {"yield", "graphics", "model", "text", "host"}},
        {"session", {"planning", "yield", "basedata", "graphics", "model", "text", "host"}},
        {"tables", {"planning", "yield", "graphics", "model", "text", "host"}},
    };
    return allowed;
}

struct CoreInclude {
    std::string file;  // relative to src/core
    std::string from;  // the including folder
    std::string to;    // the included folder
};

std::vector<CoreInclude> ReadCoreIncludes(const fs::path& core) {
    static const std::regex include(R"re(^\s*#\s*include\s*"core/([a-z_]+)/)re");
    std::vector<CoreInclude> found;
    for (const auto& entry : fs::recursive_directory_iterator(core)) {
        if (!entry.is_regular_file()) continue;
        const fs::path rel = fs::relative(entry.path(), core);
        if (rel.begin() == rel.end() || std::next(rel.begin()) == rel.end()) continue;
        const std::string from = rel.begin()->string();
        std::ifstream in(entry.path());
        std::string line;
        std::smatch m;
        while (std::getline(in, line)) {
            if (std::regex_search(line, m, include)) {
                found.push_back({rel.generic_string(), from, m[1].str()});
            }
        }
    }
    return found;
}

TEST(CoreLayering, EveryFolderIncludesOnlyFoldersBelowIt) {
    const fs::path core = fs::path(MORIKOYOMI_SOURCE_DIR) / "src" / "core";
    const auto& allowed = AllowedIncludes();
    for (const auto& entry : fs::directory_iterator(core)) {
        if (entry.is_directory()) {
            EXPECT_TRUE(allowed.count(entry.path().filename().string()))
                << "src/core/" << entry.path().filename().string()
                << " has no place in the order yet: add it to the test and to "
                   "docs/architecture.md";
        }
    }
    const std::vector<CoreInclude> includes = ReadCoreIncludes(core);
    ASSERT_FALSE(includes.empty());
    for (const CoreInclude& inc : includes) {
        if (inc.from == inc.to) continue;
        const auto rule = allowed.find(inc.from);
        if (rule == allowed.end()) continue;  // reported above
        EXPECT_TRUE(rule->second.count(inc.to))
            << "src/core/" << inc.file << " includes core/" << inc.to << "/";
    }
}

}  // namespace
