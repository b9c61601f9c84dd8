#include "cli/command_registry.h"

#include <map>
#include <ostream>

namespace mk::cli {
namespace {

struct Command {
    std::string usage;
    CommandFn fn;
};

std::map<std::string, Command>& Commands() {
    static std::map<std::string, Command> commands;
    return commands;
}

void PrintUsage(std::ostream& err) {
    err << "usage: morikoyomi-cli COMMAND ...\n";
    for (const auto& [name, command] : Commands()) err << "  morikoyomi-cli " << command.usage << "\n";
}

}  // namespace

CommandRegistrar::CommandRegistrar(const char* name, const char* usage, CommandFn fn) {
    Commands()[name] = Command{usage, fn};
}

int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    if (args.empty()) {
        PrintUsage(err);
        return 2;
    }
    auto it = Commands().find(args[0]);
    if (it == Commands().end()) {
        err << "morikoyomi-cli: unknown command '" << args[0] << "'\n";
        PrintUsage(err);
        return 2;
    }
    return it->second.fn(std::vector<std::string>(args.begin() + 1, args.end()), out, err);
}

}  // namespace mk::cli
