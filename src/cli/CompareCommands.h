#pragma once

#include "CommandLine.h"

#include <iosfwd>

namespace kt {

// kt-m220-cli diff A B: what differs between two data files, one line per
// channel property or setting. Exits as diff(1) does: 0 the same, 1 they
// differ, 3 a file does not load.
inline constexpr int kImagesDiffer = 1;
int RunDiff(const CommandLine::Parsed& args, std::ostream& out, std::ostream& err);

} // namespace kt
