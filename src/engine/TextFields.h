#pragma once

#include <string>
#include <string_view>

namespace kt {

// Cutting command texts into fields. A text separator is skipped by its whole
// length; a character separator behaves the same way.
//
// Remainder(text, sep, n): the text after the n-th separator; the text itself
// for n = 0; empty when there are fewer than n separators.
// Field(text, sep, n): field n counting from 0, that is the part of
// Remainder(text, sep, n) before its first separator.
std::string Remainder(std::string_view text, std::string_view sep, int n);
std::string Remainder(std::string_view text, char sep, int n);
std::string Field(std::string_view text, std::string_view sep, int n);
std::string Field(std::string_view text, char sep, int n);

// Command words are compared without regard to case (ASCII letters only).
bool EqualsNoCase(std::string_view a, std::string_view b);
std::string ToUpperAscii(std::string_view text);

// White space as the C library's isspace() in the "C" locale knows it:
// blank, tab, line feed, vertical tab, form feed and carriage return.
bool IsWhiteSpace(char c);
std::string TrimRight(std::string_view text);
// Where a number in text begins: after leading white space and an optional
// sign, which sets negative for "-".
std::size_t SkipBlanksAndSign(std::string_view text, bool& negative);
std::string Trim(std::string_view text);

// Reads a leading decimal integer as a standard decimal scan does (leading
// white space, an optional sign, digits). Gives false when there is no number.
// Values beyond the range of long are clamped.
bool ScanLong(std::string_view text, long& value);

// The value of a text's leading decimal digits (no sign, no white space);
// 0 when it starts with none. Stops growing at a billion.
long LeadingDigits(std::string_view text);

} // namespace kt
