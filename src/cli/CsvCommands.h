#pragma once

#include "CommandLine.h"

#include <iosfwd>
#include <string>

namespace kt {

// kt-m220-cli export-csv FILE [-o CSV] and import-csv FILE CSV [--spacing
// auto] [--renumber] [--from N]: the memory channels of a data file as a
// channel list, and a channel list into a data file (by Location, or in the
// list's order from channel 1 or N with --renumber; --spacing auto first
// switches the spacing to the one the list needs). Each returns the exit
// status: 0 done, 2 wrong use, 3 a file that cannot be read or written, or a
// channel list with errors, 4 a channel the spacing cannot hold (the data file
// is then left exactly as it was).
int RunExportCsv(const CommandLine::Parsed& args, std::ostream& out, std::ostream& err);
int RunImportCsv(const CommandLine::Parsed& args, std::ostream& out, std::ostream& err);

// A memory channel number 1 to 20 as typed.
bool ParseChannel(const std::string& text, int& channel);

} // namespace kt
