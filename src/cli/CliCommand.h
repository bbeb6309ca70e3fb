#pragma once

#include "CommandLine.h"

#include <iosfwd>
#include <string>
#include <string_view>
#include <vector>

namespace kt {

// One command of kt-m220-cli: how it is called, what it does, which options
// it takes, and the function that runs it. The table of all commands drives
// the dispatch, the usage checks and --help alike.
struct CliCommand {
    using Run = int (*)(const CommandLine::Parsed& args, std::ostream& out, std::ostream& err);

    const char* name;
    const char* group;                      // the heading --help lists it under
    const char* synopsis;                   // what follows the name, options included
    const char* help;                       // lines broken with \n
    std::vector<std::string_view> options;  // long names from CliOptions()
    std::vector<std::string_view> required; // options it cannot do without
    std::size_t minOperands;
    std::size_t maxOperands;
    Run run;
};

// Every option any command takes, with its help.
const std::vector<CommandLine::OptionEntry>& CliOptions();
const std::vector<CliCommand>& CliCommands();

// The whole --help text.
std::string CliUsage();

// Runs one command line (without the program name) and gives its exit status.
int RunCli(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
           std::ostream& err);

} // namespace kt
