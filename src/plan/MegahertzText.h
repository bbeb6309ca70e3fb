#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace kt {

// Frequencies as text: integer hertz inside the program, megahertz in lists
// and messages.

// "132.841667" (decimals 6) or "132.840" (decimals 3); the hertz beyond the
// decimals are dropped.
std::string FormatMegahertz(long hz, int decimals = 6);

// A frequency in MHz written as digits with an optional fraction; more than
// six decimals are rounded to the hertz. Nothing else is a frequency: no sign,
// no exponent, no unit.
std::optional<long> ParseMegahertz(std::string_view text);

} // namespace kt
