#include "CByteString.h"

#include "HexCodec.h"

namespace kt {

namespace {
// The value of an upper-case digit; anything else counts as 0, as the
// transceiver's own decoder takes it.
std::uint8_t HexValue(std::uint8_t c) {
    const int value = HexCodec::DigitValue(static_cast<char>(c), true);
    return static_cast<std::uint8_t>(value < 0 ? 0 : value);
}
} // namespace

CByteString::CByteString(std::uint16_t capacity) : capacity_(capacity) {
    bytes_.reserve(capacity);
}

CByteString& CByteString::operator=(std::string_view text) {
    Clear();
    return Append(text);
}

CByteString& CByteString::operator=(std::uint8_t byte) {
    Clear();
    return Append(byte);
}

CByteString& CByteString::Append(std::uint8_t byte) {
    if (bytes_.size() < capacity_)
        bytes_.push_back(byte);
    return *this;
}

CByteString& CByteString::Append(std::string_view text) {
    for (char c : text)
        Append(static_cast<std::uint8_t>(c));
    return *this;
}

CByteString& CByteString::Append(const CByteString& other) {
    // Copy first: other may be this string.
    const std::vector<std::uint8_t> source = other.bytes_;
    for (std::uint8_t b : source)
        Append(b);
    return *this;
}

std::uint8_t CByteString::At(std::size_t index) const {
    if (bytes_.empty())
        return 0;
    return index < bytes_.size() ? bytes_[index] : bytes_.back();
}

bool CByteString::Differs(const CByteString& other) const {
    return bytes_ != other.bytes_;
}

void CByteString::TakeBuilt(const CByteString& built) {
    *this = built;
}

void CByteString::Mid(std::uint16_t start, std::uint16_t count) {
    CByteString built;
    const auto end = static_cast<std::uint16_t>(start + count);
    for (std::uint16_t i = start; i != end && i < Length(); ++i)
        built.Append(bytes_[i]);
    TakeBuilt(built);
}

void CByteString::ToHex() {
    CByteString built;
    for (std::uint8_t b : bytes_) {
        built.Append(static_cast<std::uint8_t>(HexCodec::Digit(b >> 4)));
        built.Append(static_cast<std::uint8_t>(HexCodec::Digit(b)));
    }
    TakeBuilt(built);
}

void CByteString::SetHexOfByte(unsigned value) {
    CByteString built;
    built.Append(static_cast<std::uint8_t>(HexCodec::Digit(value >> 4)));
    built.Append(static_cast<std::uint8_t>(HexCodec::Digit(value)));
    TakeBuilt(built);
}

void CByteString::FromHex() {
    CByteString built;
    for (std::size_t i = 0; i < bytes_.size(); i += 2) {
        if (i + 1 < bytes_.size())
            built.Append(
                static_cast<std::uint8_t>((HexValue(bytes_[i]) << 4) | HexValue(bytes_[i + 1])));
        else
            built.Append(HexValue(bytes_[i]));
    }
    TakeBuilt(built);
}

} // namespace kt
