#pragma once

#include "CommandLine.h"

#include <iosfwd>
#include <string>

namespace kt {

// Every engine command that kt-m220-cli set and engine accept: the channel
// properties and operations, and each common setting with its values and the
// Setting sheet's label for it. The settings come from the engine itself, so
// the list cannot miss one.
std::string CommandReference();

// kt-m220-cli help [commands]: the usage, or the command reference.
int RunHelp(const CommandLine::Parsed& args, std::ostream& out, std::ostream& err);

} // namespace kt
