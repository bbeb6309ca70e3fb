#include "EngineConsole.h"

#include <cstdio>
#include <iostream>
#include <string>
#include <string_view>

namespace {
const char kUsage[] = "Usage: kt-m220-cli COMMAND [ARGS]\n"
                      "\n"
                      "Commands:\n"
                      "  engine                 engine console: one command per input line,\n"
                      "                         one answer per output line\n"
                      "\n"
                      "Options:\n"
                      "  --help                 show this help\n"
                      "  --version              show the version\n";

int Usage(std::ostream& out, int status) {
    out << kUsage;
    return status;
}
} // namespace

int main(int argc, char** argv) {
    if (argc < 2)
        return Usage(std::cerr, 2);
    const std::string_view command = argv[1];
    if (command == "--help" || command == "-h" || command == "help")
        return Usage(std::cout, 0);
    if (command == "--version") {
        std::cout << "kt-m220-cli " << KTM220_VERSION << "\n";
        return 0;
    }
    if (command == "engine") {
        std::ios::sync_with_stdio(false);
        return RunEngineConsole(std::cin, std::cout);
    }
    std::cerr << "kt-m220-cli: unknown command '" << command << "'\n";
    return Usage(std::cerr, 2);
}
