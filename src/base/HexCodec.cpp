#include "HexCodec.h"

namespace kt {

namespace HexCodec {

char Digit(unsigned value) {
    return "0123456789ABCDEF"[value & 0x0F];
}

int DigitValue(char c, bool upperOnly) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (!upperOnly && c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

void Append(std::string& out, std::uint32_t value, int digits) {
    for (int shift = 4 * (digits - 1); shift >= 0; shift -= 4)
        out.push_back(Digit(value >> shift));
}

std::string Text(std::uint32_t value, int digits) {
    std::string text;
    Append(text, value, digits);
    return text;
}

std::string Byte(std::uint8_t value) {
    return Text(value, 2);
}

std::string Encode(std::span<const std::uint8_t> bytes) {
    std::string text;
    text.reserve(bytes.size() * 2);
    for (std::uint8_t b : bytes)
        Append(text, b, 2);
    return text;
}

std::optional<ByteVector> Decode(std::string_view text) {
    if (text.size() % 2 != 0)
        return std::nullopt;
    ByteVector bytes;
    bytes.reserve(text.size() / 2);
    for (std::size_t i = 0; i < text.size(); i += 2) {
        const int high = DigitValue(text[i]);
        const int low = DigitValue(text[i + 1]);
        if (high < 0 || low < 0)
            return std::nullopt;
        bytes.push_back(static_cast<std::uint8_t>(high * 16 + low));
    }
    return bytes;
}

} // namespace HexCodec

} // namespace kt
