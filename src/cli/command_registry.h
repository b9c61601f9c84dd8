#pragma once
// The batch tool's commands. Each command lives in its own file and
// registers itself here with a static CommandRegistrar.

#include <iosfwd>
#include <string>
#include <vector>

namespace mk::cli {

// args excludes the program name and the command word. Returns the exit
// status: 0 written, 1 could not compute, 2 bad command line or run file.
using CommandFn = int (*)(const std::vector<std::string>& args, std::ostream& out,
                          std::ostream& err);

struct CommandRegistrar {
    CommandRegistrar(const char* name, const char* usage, CommandFn fn);
};

// Runs the command named by args[0]; prints the usage and returns 2 for an
// unknown or missing command.
int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace mk::cli
