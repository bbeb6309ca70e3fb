#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace kt {

// A byte string of fixed capacity (255 bytes by default). Clone frames and
// record lines are assembled and taken apart in it. A byte appended to a full
// string is silently dropped; there is no error.
class CByteString {
public:
    static constexpr std::uint16_t kDefaultCapacity = 255;

    CByteString() : CByteString(kDefaultCapacity) {}
    explicit CByteString(std::uint16_t capacity);
    CByteString(const CByteString&) = default; // takes over the capacity too
    CByteString& operator=(const CByteString&) = default;

    // Empties the string, then appends each character (the capacity is kept).
    CByteString& operator=(std::string_view text);
    // Empties the string, then appends the one byte.
    CByteString& operator=(std::uint8_t byte);

    void Clear() { bytes_.clear(); }
    CByteString& Append(std::uint8_t byte);
    CByteString& Append(std::string_view text);
    CByteString& Append(const CByteString& other);
    CByteString& operator+=(std::uint8_t byte) { return Append(byte); }
    CByteString& operator+=(std::string_view text) { return Append(text); }
    CByteString& operator+=(const CByteString& other) { return Append(other); }

    std::uint16_t Length() const { return static_cast<std::uint16_t>(bytes_.size()); }
    std::uint16_t Capacity() const { return capacity_; }
    bool IsEmpty() const { return bytes_.empty(); }

    // Byte i; an index at or past the end gives the last byte, an empty string 0.
    std::uint8_t At(std::size_t index) const;
    // True when the lengths differ or any byte differs.
    bool Differs(const CByteString& other) const;

    // Keeps bytes start .. start + count - 1 (16-bit index arithmetic),
    // stopping at the end of the string.
    void Mid(std::uint16_t start, std::uint16_t count);
    // Replaces each byte by its two upper-case hexadecimal digits.
    void ToHex();
    // The string becomes the two upper-case hexadecimal digits of the low byte of v.
    void SetHexOfByte(unsigned value);
    // Reads the characters two at a time as hexadecimal digits; an odd last
    // character becomes a byte of its own. Only '0'-'9' and 'A'-'F' count;
    // any other character is 0.
    void FromHex();

    const std::uint8_t* Data() const { return bytes_.data(); }
    std::string ToString() const { return std::string(bytes_.begin(), bytes_.end()); }

    bool operator==(const CByteString& other) const { return !Differs(other); }

private:
    // Gives this string the default capacity and the bytes of built, the way
    // operations that build a new value internally do.
    void TakeBuilt(const CByteString& built);

    std::uint16_t capacity_;
    std::vector<std::uint8_t> bytes_;
};

} // namespace kt
