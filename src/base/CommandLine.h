#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace kt {

// The option parsing shared by kt-m220-cli and kt-m220-sim: one table of
// options drives both getopt_long and the option part of --help.
namespace CommandLine {

enum class Takes { Nothing, Value, OptionalValue };

struct OptionEntry {
    const char* name;      // long name without the dashes ("port"); nullptr: a heading
    char shortName;        // 'o' for -o; 0 when there is none
    Takes takes;           // an OptionalValue is given only as --name=VALUE
    const char* valueName; // how the help names the value ("P", "FILE")
    const char* help;      // what it does; lines broken with \n; for a heading its text
};

struct Parsed {
    // The options in the order given, by long name, with their values ("" without one).
    std::vector<std::pair<std::string, std::string>> options;
    std::vector<std::string> operands;
    std::string error; // empty when the command line is sound

    bool Ok() const { return error.empty(); }
    bool Has(std::string_view name) const;
    // The value of the option's last occurrence; "" when it is not given.
    std::string Value(std::string_view name) const;
};

// Reads args (without the program name) against the table. Options and
// operands may be mixed; "--" ends the options; an option given again
// overrides its earlier value. An unknown option or a missing value is an
// error.
Parsed Parse(const std::vector<OptionEntry>& table, const std::vector<std::string>& args);

// "  -o, --output FILE    help" lines for the table, the help starting at
// column helpColumn; headings become a blank line and "Heading:".
std::string Help(const std::vector<OptionEntry>& table, std::size_t helpColumn);

// Appends left padded to column, then help's first line; help's further
// lines follow indented to the column. A left part too long for the column
// stands on a line of its own.
void AppendColumns(std::string& text, std::string left, std::string_view help, std::size_t column);

// "--name" or "-o" as a user would type it, for messages.
std::string Spelling(const OptionEntry& entry);

} // namespace CommandLine

} // namespace kt
