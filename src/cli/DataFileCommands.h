#pragma once

#include "CommandLine.h"

#include <iosfwd>

namespace kt {

// The command line's data file commands. Each returns the exit status:
// 0 done, 2 wrong use, 3 a file that cannot be read or written.
int RunNew(const CommandLine::Parsed& args, std::ostream& out, std::ostream& err);
int RunShow(const CommandLine::Parsed& args, std::ostream& out, std::ostream& err);
int RunSet(const CommandLine::Parsed& args, std::ostream& out, std::ostream& err);

} // namespace kt
