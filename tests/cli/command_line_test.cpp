// The batch tool's own command line: help built from the registered
// commands, the version, and the refusal of what it does not know.

#include <gtest/gtest.h>

#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "cli/command_registry.h"
#include "morikoyomi_version.h"

namespace mk::cli {
namespace {

struct CliRun {
    int status;
    std::string out;
    std::string err;
};

CliRun Cli(const std::vector<std::string>& args) {
    std::ostringstream out;
    std::ostringstream err;
    const int status = RunCli(args, out, err);
    return {status, out.str(), err.str()};
}

// The synopsis lines of the usage ("  morikoyomi-cli NAME ..."), by command.
std::vector<std::pair<std::string, std::string>> UsageLines(const std::string& text) {
    std::vector<std::pair<std::string, std::string>> lines;
    const std::regex line(R"(\n  morikoyomi-cli ([a-z]+)( [^\n]*)?)");
    for (auto it = std::sregex_iterator(text.begin(), text.end(), line);
         it != std::sregex_iterator(); ++it) {
        if ((*it)[1] != "help") lines.emplace_back((*it)[1], (*it)[0]);
    }
    return lines;
}

TEST(CliCommandLine, HelpListsEveryCommandWithItsUsageAndSummary) {
    const CliRun r = Cli({"--help"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.err, "");
    for (const char* synopsis :
         {"  morikoyomi-cli yield RUNFILE [--images DIR [--format bmp|png|svg]] [--csv FILE "
          "[--every-year]] [--pdf FILE]\n",
          "  morikoyomi-cli volume RUNFILE [--images DIR [--format bmp|png|svg]] [--csv FILE "
          "[--every-year]] [--pdf FILE] [--site 1..3]\n",
          "  morikoyomi-cli plan RUNFILE [--images DIR [--format bmp|png|svg]] [--csv FILE "
          "[--every-year]] [--pdf FILE] [--plan 1..5]\n",
          "  morikoyomi-cli show TABLEFILE [--csv FILE] [--pdf FILE]\n",
          "  morikoyomi-cli stand PRMFILE HEIGHT STEMS\n", "  morikoyomi-cli --version\n"}) {
        EXPECT_NE(r.out.find(synopsis), std::string::npos) << synopsis << "\n" << r.out;
    }
    EXPECT_NE(r.out.find("\n  yield   Writes the yield prediction table (収穫予測表) YIELD_xx.150"),
              std::string::npos)
        << r.out;
    EXPECT_NE(r.out.find("\n  check   Examines pairs"), std::string::npos) << r.out;
    // Only each command's summary line, not the whole of its help.
    EXPECT_EQ(r.out.find("--pairs X:Y[,X:Y...]   the pairs"), std::string::npos);
    // "help" with no command and "-h" say the same.
    EXPECT_EQ(Cli({"help"}).out, r.out);
    EXPECT_EQ(Cli({"-h"}).out, r.out);
}

TEST(CliCommandLine, EachCommandExplainsEveryOptionOfItsUsage) {
    const std::vector<std::pair<std::string, std::string>> commands =
        UsageLines(Cli({"--help"}).out);
    ASSERT_GE(commands.size(), 6u);
    const std::regex option(R"(--[a-z][a-z-]*)");
    for (const auto& [name, synopsis] : commands) {
        SCOPED_TRACE(name);
        const CliRun help = Cli({"help", name});
        EXPECT_EQ(help.status, 0);
        EXPECT_EQ(help.out.rfind("usage: morikoyomi-cli " + name, 0), 0u) << help.out;
        for (auto it = std::sregex_iterator(synopsis.begin(), synopsis.end(), option);
             it != std::sregex_iterator(); ++it) {
            // Each option of the synopsis starts a line of the explanation.
            EXPECT_NE(help.out.find("\n  " + it->str() + " "), std::string::npos)
                << it->str() << " is not explained:\n"
                << help.out;
        }
        // --help after the command, wherever it stands, answers the same
        // and runs nothing.
        EXPECT_EQ(Cli({name, "--help"}).out, help.out);
        const CliRun late = Cli({name, "no-such-file", "-h"});
        EXPECT_EQ(late.status, 0);
        EXPECT_EQ(late.out, help.out);
        EXPECT_EQ(late.err, "");
    }
}

TEST(CliCommandLine, VersionIsTheBuildsVersion) {
    const CliRun r = Cli({"--version"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, std::string("morikoyomi-cli ") + MORIKOYOMI_VERSION + "\n");
    EXPECT_EQ(std::string(MORIKOYOMI_VERSION), std::to_string(MORIKOYOMI_VERSION_MAJOR) + "." +
                                                   std::to_string(MORIKOYOMI_VERSION_MINOR) + "." +
                                                   std::to_string(MORIKOYOMI_VERSION_PATCH));
    EXPECT_EQ(r.err, "");
}

TEST(CliCommandLine, WhatItDoesNotKnowPrintsTheUsageAndExitsTwo) {
    const std::vector<std::vector<std::string>> cases = {
        {},                         // nothing at all
        {"--frobnicate"},           // an unknown option
        {"-x", "yield"},            // an unknown short option before a command
        {"frobnicate", "a.run"},    // an unknown command
        {"help", "frobnicate"},     // help on an unknown command
        {"help", "yield", "plan"},  // help on two commands
        {"--version", "yield"},     // --version with more
    };
    for (const std::vector<std::string>& args : cases) {
        const CliRun r = Cli(args);
        SCOPED_TRACE(args.empty() ? "(none)" : args[0]);
        EXPECT_EQ(r.status, 2);
        EXPECT_EQ(r.out, "");
        EXPECT_EQ(r.err.rfind("morikoyomi-cli: ", 0), 0u) << r.err;
        EXPECT_NE(r.err.find("\nusage: morikoyomi-cli COMMAND ARGUMENTS...\n"), std::string::npos);
        EXPECT_NE(r.err.find("  morikoyomi-cli yield RUNFILE"), std::string::npos);
    }
    EXPECT_NE(Cli({"frobnicate"}).err.find("unknown command 'frobnicate'"), std::string::npos);
    EXPECT_NE(Cli({"--frobnicate"}).err.find("unknown option '--frobnicate'"), std::string::npos);
}

TEST(CliCommandLine, AnUnknownOptionOfACommandPrintsThatCommandsUsage) {
    for (const std::vector<std::string>& args :
         std::vector<std::vector<std::string>>{{"yield", "a.run", "--frobnicate"},
                                               {"volume", "a.run", "--site", "4"},
                                               {"fit", "a.dat", "--curve", "site", "--nope", "1"},
                                               {"check", "a.dat", "--frobnicate", "1"}}) {
        const CliRun r = Cli(args);
        SCOPED_TRACE(args[0]);
        EXPECT_EQ(r.status, 2);
        EXPECT_EQ(r.out, "");
        EXPECT_NE(r.err.find("usage: morikoyomi-cli " + args[0] + " "), std::string::npos) << r.err;
    }
}

}  // namespace
}  // namespace mk::cli
