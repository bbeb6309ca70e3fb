#pragma once

#include "ByteVector.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace kt {

// Hexadecimal digits as the data files and the clone protocol write them:
// upper-case when written, and either case accepted when read unless a
// caller asks for upper case only.
namespace HexCodec {

// The upper-case digit of the low four bits of value.
char Digit(unsigned value);

// The value of one digit, or -1 when c is not one. With upperOnly, 'a' to
// 'f' are not digits either.
int DigitValue(char c, bool upperOnly = false);

// Appends value as exactly digits upper-case digits (the high ones dropped).
void Append(std::string& out, std::uint32_t value, int digits);
// value as exactly digits upper-case digits.
std::string Text(std::uint32_t value, int digits);
// value as two digits.
std::string Byte(std::uint8_t value);
// Two digits per byte.
std::string Encode(std::span<const std::uint8_t> bytes);

// Pairs of digits (either case) into bytes; nothing when the length is odd or
// any character is not a digit.
std::optional<ByteVector> Decode(std::string_view text);

} // namespace HexCodec

} // namespace kt
