#pragma once

#include <string>
#include <string_view>

namespace kt {

// The value of the longest decimal number at the start of a text (leading
// white space skipped; optional sign, digits, optional point and fraction,
// optional exponent), read with "." as the decimal point whatever the locale;
// 0 when the text starts with no number.
double LeadingDecimalNumber(std::string_view text);

// The frequency text that the Edit Memory dialog sends for what the user typed,
// in MHz. A comma is taken as the decimal point ("121,5" is 121.5), as keyboards
// with a decimal comma give it. A text whose number is not strictly between 0
// and 2000 becomes the empty text, which empties the channel; any other text is
// passed on as typed, for the engine to decide what is a legal frequency.
std::string FrequencyTextToSend(std::string_view typed);

} // namespace kt
