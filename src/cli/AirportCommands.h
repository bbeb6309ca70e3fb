#pragma once

#include "CommandLine.h"

#include <iosfwd>
#include <string>

namespace kt {

// kt-m220-cli airport IDENT_OR_WORDS: the airband frequencies an airport
// publishes, each with the channel it is, its carrier and the name it would
// get; exit 0, or 1 when no airport matches.
int RunAirport(const CommandLine::Parsed& args, std::ostream& out, std::ostream& err);

// kt-m220-cli add-airport FILE IDENT [--types TWR,GND,...] [--from N]
// [--spacing auto] [--nearest]: fills the first empty channels from 1 (or N)
// with the airport's frequencies. Nothing is saved on any error: exit 4 when a
// channel needs another spacing and --spacing auto is not given, 6 when there
// are not enough empty channels. A frequency between channels is added at the
// nearest channel only with --nearest.
int RunAddAirport(const CommandLine::Parsed& args, std::ostream& out, std::ostream& err);

// kt-m220-cli airports [--update [--from URL]]: where the airport table is
// and its date; with --update, the current table downloaded, checked and kept
// as the user's copy (exit 3 when that fails; the old copy stays).
int RunAirports(const CommandLine::Parsed& args, std::ostream& out, std::ostream& err);

// "airport data 2026-08-22 (shipped)" for --version.
std::string AirportDataVersion();

} // namespace kt
