#pragma once

#include "CommandLine.h"

#include <iosfwd>

namespace kt {

// kt-m220-cli ports: the serial devices present and what COM1 to COM4 stand
// for, with the port the clone commands use without --port, and which of
// them another program holds. No device is opened.
int RunPorts(const CommandLine::Parsed& args, std::ostream& out, std::ostream& err);

} // namespace kt
