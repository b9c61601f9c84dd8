#pragma once
// The batch tool's commands. Each command lives in its own file and
// registers itself here with a static CommandRegistrar; the tool's help is
// built from what the commands registered, so a new command or option only
// adds its own text.

#include <iosfwd>
#include <string>
#include <vector>

namespace mk::cli {

// args excludes the program name and the command word. Returns the exit
// status: 0 written, 1 could not compute, 2 bad command line or run file.
using CommandFn = int (*)(const std::vector<std::string>& args, std::ostream& out,
                          std::ostream& err);

struct CommandRegistrar {
    // usage: the command's synopsis without the program name ("stand
    // PRMFILE HEIGHT STEMS"). help: what `help COMMAND` explains beneath it,
    // its first line a summary shown in the overall help; one line per
    // option, "OPTION  what it does".
    CommandRegistrar(const char* name, const char* usage, CommandFn fn, const char* help = "");
};

// Runs the command named by args[0]. `--help`, `help [COMMAND]` and
// `COMMAND --help` print the help on out, `--version` the version; each
// returns 0. A missing or unknown command or option prints the usage on err
// and returns 2.
int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace mk::cli
