#include "cli/command_registry.h"

#include <map>
#include <ostream>
#include <string_view>

#include "morikoyomi_version.h"

namespace mk::cli {
namespace {

constexpr const char* kProgram = "morikoyomi-cli";

struct Command {
    std::string usage;
    std::string help;
    CommandFn fn;
};

std::map<std::string, Command>& Commands() {
    static std::map<std::string, Command> commands;
    return commands;
}

bool IsHelpOption(std::string_view arg) { return arg == "--help" || arg == "-h"; }

std::string_view FirstLine(std::string_view text) { return text.substr(0, text.find('\n')); }

// Prints text with every line indented, so a command's help reads as one
// block under its synopsis.
void PrintIndented(std::ostream& os, std::string_view text, std::string_view indent) {
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        const std::string_view line = text.substr(0, end);
        if (!line.empty()) os << indent << line;
        os << '\n';
        if (end == std::string_view::npos) break;
        text.remove_prefix(end + 1);
    }
}

void PrintUsage(std::ostream& os) {
    os << "usage: " << kProgram << " COMMAND ARGUMENTS...\n";
    for (const auto& [name, command] : Commands())
        os << "  " << kProgram << " " << command.usage << "\n";
    os << "  " << kProgram << " help [COMMAND]\n";
    os << "  " << kProgram << " --version\n";
}

void PrintHelp(std::ostream& out) {
    out << "杜の暦『構想』 batch tool: computes what the windows compute from run files and "
           "survey\n"
           "files, and writes the same files under the same names.\n\n";
    PrintUsage(out);
    out << "\nCommands:\n";
    for (const auto& [name, command] : Commands()) {
        out << "  " << name << std::string(name.size() < 8 ? 8 - name.size() : 1, ' ')
            << FirstLine(command.help) << "\n";
    }
    out << "\n`" << kProgram << " help COMMAND` explains a command and its options; "
        << "`man " << kProgram << "` the run files.\n"
        << "Exit status: 0 written, 1 could not be computed, 2 bad command line or run file.\n";
}

void PrintCommandHelp(std::ostream& out, const Command& command) {
    out << "usage: " << kProgram << " " << command.usage << "\n";
    if (!command.help.empty()) {
        out << "\n";
        PrintIndented(out, command.help, "  ");
    }
}

int Refuse(std::ostream& err, const std::string& problem) {
    err << kProgram << ": " << problem << "\n";
    PrintUsage(err);
    return 2;
}

int RunHelp(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    if (args.size() <= 1) {
        PrintHelp(out);
        return 0;
    }
    if (args.size() > 2) return Refuse(err, "help takes one command");
    const auto it = Commands().find(args[1]);
    if (it == Commands().end()) return Refuse(err, "unknown command '" + args[1] + "'");
    PrintCommandHelp(out, it->second);
    return 0;
}

}  // namespace

CommandRegistrar::CommandRegistrar(const char* name, const char* usage, CommandFn fn,
                                   const char* help) {
    Commands()[name] = Command{usage, help, fn};
}

int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    if (args.empty()) return Refuse(err, "no command given");
    const std::string& first = args[0];
    if (first == "help" || IsHelpOption(first)) return RunHelp(args, out, err);
    if (first == "--version") {
        if (args.size() > 1) return Refuse(err, "--version takes no arguments");
        out << kProgram << " " << MORIKOYOMI_VERSION << "\n";
        return 0;
    }
    if (first.size() > 1 && first[0] == '-') return Refuse(err, "unknown option '" + first + "'");
    const auto it = Commands().find(first);
    if (it == Commands().end()) return Refuse(err, "unknown command '" + first + "'");
    // `COMMAND --help` answers as `help COMMAND` does, wherever the option
    // stands, rather than running the command.
    for (std::size_t i = 1; i < args.size(); ++i) {
        if (IsHelpOption(args[i])) {
            PrintCommandHelp(out, it->second);
            return 0;
        }
    }
    return it->second.fn(std::vector<std::string>(args.begin() + 1, args.end()), out, err);
}

}  // namespace mk::cli
