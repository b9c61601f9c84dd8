// The batch tool as separate processes: many runs saving into one folder at
// once, and runs killed at any moment. Only real processes show whether a
// name is taken atomically and whether a save can be caught half done.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <set>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "core/text/file_save.h"
#include "support/test_files.h"

extern char** environ;

namespace fs = std::filesystem;

namespace mk::test {
namespace {

// A run of the batch tool with its standard output and error in files.
class CliProcess {
public:
    CliProcess(const std::vector<std::string>& args, const std::string& outPath) {
        std::vector<std::string> all{MORIKOYOMI_CLI};
        all.insert(all.end(), args.begin(), args.end());
        std::vector<char*> argv;
        for (auto& a : all) argv.push_back(a.data());
        argv.push_back(nullptr);
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, 1, outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                         0644);
        posix_spawn_file_actions_addopen(&actions, 2, (outPath + ".err").c_str(),
                                         O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (posix_spawn(&pid_, argv[0], &actions, nullptr, argv.data(), environ) != 0) pid_ = -1;
        posix_spawn_file_actions_destroy(&actions);
    }
    bool started() const { return pid_ > 0; }
    void Kill() const { ::kill(pid_, SIGKILL); }
    // The exit status, or -signal when a signal ended it.
    int Wait() {
        int status = 0;
        if (pid_ <= 0 || ::waitpid(pid_, &status, 0) != pid_) return -1000;
        pid_ = -1;
        return WIFEXITED(status) ? WEXITSTATUS(status) : -WTERMSIG(status);
    }

private:
    pid_t pid_ = -1;
};

std::string FirstLine(const std::string& path) {
    std::istringstream in(ReadBytes(path));
    std::string line;
    std::getline(in, line);
    return line;
}

std::vector<std::string> NamesIn(const std::string& folder, bool temporary) {
    std::vector<std::string> names;
    std::error_code ec;
    for (const auto& e : fs::directory_iterator(folder, ec)) {
        const std::string name = e.path().filename().string();
        if (IsTemporaryFileName(name) == temporary) names.push_back(name);
    }
    return names;
}

// A folder with the example parameter files and a yield run file using them.
class YieldFolder {
public:
    YieldFolder() {
        for (const char* name : {"sugi_type1.prm", "sugi.PAR", "yield_method4.run"})
            fs::copy_file(SourcePath(std::string("examples/") + name), dir_.File(name));
    }
    std::string File(std::string_view name) const { return dir_.File(name); }
    std::vector<std::string> Args(bool images) const {
        std::vector<std::string> args{"yield", File("yield_method4.run")};
        if (images) {
            args.push_back("--images");
            args.push_back(File("images"));
        }
        return args;
    }

private:
    TempDir dir_;
};

TEST(ConcurrentRuns, TwentyRunsInOneFolderWriteTwentyTablesEachNamingItsOwn) {
    YieldFolder reference;
    CliProcess single(reference.Args(false), reference.File("out"));
    ASSERT_EQ(single.Wait(), 0);
    const std::string table = ReadBytes(FirstLine(reference.File("out")));
    ASSERT_GT(table.size(), 1000u);

    YieldFolder folder;
    constexpr int kRuns = 20;
    std::vector<CliProcess> runs;
    runs.reserve(kRuns);
    for (int i = 0; i < kRuns; ++i)
        runs.emplace_back(folder.Args(false), folder.File("out" + std::to_string(i)));
    std::set<std::string> printed;
    for (int i = 0; i < kRuns; ++i) {
        ASSERT_TRUE(runs[static_cast<size_t>(i)].started());
        EXPECT_EQ(runs[static_cast<size_t>(i)].Wait(), 0) << "run " << i;
        const std::string path = FirstLine(folder.File("out" + std::to_string(i)));
        EXPECT_TRUE(printed.insert(path).second) << path << " printed twice";
        EXPECT_EQ(ReadBytes(path), table) << path;
    }
    int tables = 0;
    for (const auto& name : NamesIn(folder.File(""), false))
        if (name.rfind("YIELD_", 0) == 0) ++tables;
    EXPECT_EQ(tables, kRuns);
    EXPECT_TRUE(NamesIn(folder.File(""), true).empty());
}

// Kills runs at random moments: whatever the moment, every table and
// picture under a final name is complete, the table that was there before is
// untouched, and the temporary files of the killed runs are gone after the
// next run. MORIKOYOMI_KILL_RUNS sets how many runs are killed.
TEST(ConcurrentRuns, KilledRunsLeaveOnlyCompleteFiles) {
    YieldFolder reference;
    const auto started = std::chrono::steady_clock::now();
    CliProcess full(reference.Args(true), reference.File("out"));
    ASSERT_EQ(full.Wait(), 0);
    const auto runTime = std::chrono::steady_clock::now() - started;
    const std::string table = ReadBytes(FirstLine(reference.File("out")));
    std::vector<std::string> pictures;
    for (int i = 0; i < 6; ++i)
        pictures.push_back(ReadBytes(reference.File("images/image" + std::to_string(i) + ".bmp")));

    YieldFolder folder;
    const std::string earlier = "an earlier table\r\n";
    WriteBytes(folder.File("YIELD_AA.150"), earlier);
    const char* count = std::getenv("MORIKOYOMI_KILL_RUNS");
    const int kills = count ? std::atoi(count) : 30;
    const unsigned seed = std::random_device{}();
    std::mt19937 random(seed);
    const auto longest = std::chrono::duration_cast<std::chrono::microseconds>(runTime).count();
    std::uniform_int_distribution<long long> moment(0, longest);
    int killedMidway = 0;
    for (int k = 0; k < kills; ++k) {
        CliProcess run(folder.Args(true), folder.File("out"));
        ASSERT_TRUE(run.started());
        std::this_thread::sleep_for(std::chrono::microseconds(moment(random)));
        run.Kill();
        if (run.Wait() == -SIGKILL) ++killedMidway;
        ASSERT_EQ(ReadBytes(folder.File("YIELD_AA.150")), earlier) << "seed " << seed;
        for (const auto& name : NamesIn(folder.File(""), false)) {
            if (name.rfind("YIELD_", 0) == 0 && name != "YIELD_AA.150") {
                ASSERT_EQ(ReadBytes(folder.File(name)), table) << name << ", seed " << seed;
            }
        }
        for (const auto& name : NamesIn(folder.File("images"), false)) {
            const size_t i = static_cast<size_t>(name[5] - '0');
            ASSERT_TRUE(name.size() == 10 && i < 6) << name;
            ASSERT_EQ(ReadBytes(folder.File("images/" + name)), pictures[i])
                << name << ", seed " << seed;
        }
    }
    EXPECT_GT(killedMidway, 0);

    CliProcess last(folder.Args(true), folder.File("out"));
    ASSERT_EQ(last.Wait(), 0);
    EXPECT_TRUE(NamesIn(folder.File(""), true).empty());
    EXPECT_TRUE(NamesIn(folder.File("images"), true).empty());
}

}  // namespace
}  // namespace mk::test
