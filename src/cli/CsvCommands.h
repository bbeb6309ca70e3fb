#pragma once

#include "CommandLine.h"

#include <iosfwd>
#include <string>
#include <vector>

// kt-m220-cli export-csv FILE [-o CSV] and import-csv FILE CSV: the memory
// channels of a data file as a channel list, and a channel list into a data
// file. Each returns the exit status: 0 done, 2 wrong use, 3 a file that
// cannot be read or written, or a channel list with errors (the data file is
// then left exactly as it was).
int RunExportCsv(const CommandLine::Parsed& args, std::ostream& out, std::ostream& err);
int RunImportCsv(const CommandLine::Parsed& args, std::ostream& out, std::ostream& err);
