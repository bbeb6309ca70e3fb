#pragma once

#include "CommandLine.h"

#include <iosfwd>

namespace kt {

// kt-m220-cli info | read -o FILE | write FILE, with --port P, --yes and
// --no-beep. The exit status is the clone outcome (0, 1, 77, 80, 85, 91);
// 2 for wrong use, 3 for a data file that cannot be read or written.
int RunInfo(const CommandLine::Parsed& args, std::ostream& out, std::ostream& err);
int RunRead(const CommandLine::Parsed& args, std::ostream& out, std::ostream& err);
int RunWrite(const CommandLine::Parsed& args, std::ostream& out, std::ostream& err);

} // namespace kt
