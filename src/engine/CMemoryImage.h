#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace kt {

// The transceiver's EEPROM contents: a zero-based array of bytes whose size is
// fixed at each resize. Every access is checked against the size: reads of an
// invalid address give 255 (a byte) or 1 (a bit), writes to it are ignored.
// Bits are numbered 7 (most significant) down to 0; a run of bits continues
// from bit 0 of one byte to bit 7 of the next.
class CMemoryImage {
public:
    explicit CMemoryImage(std::uint32_t size = 0) : bytes_(size, 0) {}

    std::uint32_t Size() const { return static_cast<std::uint32_t>(bytes_.size()); }
    bool IsValid(std::uint32_t addr) const { return addr < bytes_.size(); }

    std::uint8_t GetByte(std::uint32_t addr) const;
    void SetByte(std::uint32_t addr, unsigned value);

    // Copies n bytes when addr .. addr + n - 1 all lie in the image; otherwise
    // the destination (or the image) is left untouched.
    bool Read(std::uint32_t addr, std::uint8_t* dst, std::size_t n) const;
    bool Write(std::uint32_t addr, const std::uint8_t* src, std::size_t n);

    int GetBit(std::uint32_t addr, int bit) const;
    void SetBit(std::uint32_t addr, int bit, bool on);

    // Reads width (at most 16) bits, most significant first, starting at
    // (addr, bit) and moving towards bit 0, then on to bit 7 of the next byte.
    unsigned ReadBits(std::uint32_t addr, int bit, int width) const;
    // The reverse: bit width - 1 of value goes to (addr, bit), and so on.
    void WriteBits(std::uint32_t addr, int bit, int width, unsigned value);

    void FillBytes(std::uint32_t addr, unsigned value, std::size_t n);

    void CopyFrom(const CMemoryImage& other) { bytes_ = other.bytes_; }
    bool Equals(const CMemoryImage& other) const { return bytes_ == other.bytes_; }
    bool Differs(const CMemoryImage& other) const { return !Equals(other); }

    const std::uint8_t* Data() const { return bytes_.data(); }

private:
    bool RangeIsValid(std::uint32_t addr, std::size_t n) const;

    std::vector<std::uint8_t> bytes_;
};

} // namespace kt
