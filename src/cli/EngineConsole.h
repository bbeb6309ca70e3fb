#pragma once

#include <iosfwd>

namespace kt {

// The engine console: a fresh engine, one command per input line (its LF or
// CR LF removed), one answer per output line, printed byte for byte and
// flushed. End of input ends it with status 0.
int RunEngineConsole(std::istream& in, std::ostream& out);

} // namespace kt
