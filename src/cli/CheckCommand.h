#pragma once

#include "CommandLine.h"

#include <iosfwd>

namespace kt {

// kt-m220-cli check FILE: the plan checks' findings, one line each. Exits 0
// when there is nothing to report, 1 with findings, 3 when the file does not
// load.
inline constexpr int kPlanFindings = 1;
int RunCheck(const CommandLine::Parsed& args, std::ostream& out, std::ostream& err);

} // namespace kt
