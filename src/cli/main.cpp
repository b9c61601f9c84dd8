#include <iostream>
#include <string>
#include <vector>

#include "cli/command_registry.h"

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    return mk::cli::RunCli(args, std::cout, std::cerr);
}
