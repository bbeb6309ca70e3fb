#include "CMemoryImage.h"

#include <cstring>

namespace kt {

namespace {
// Steps a bit position one place towards the least significant bit, moving on
// to bit 7 of the next byte after bit 0.
void StepBit(std::uint32_t& addr, int& bit) {
    if (--bit < 0) {
        bit = 7;
        ++addr;
    }
}
} // namespace

std::uint8_t CMemoryImage::GetByte(std::uint32_t addr) const {
    return IsValid(addr) ? bytes_[addr] : 255;
}

void CMemoryImage::SetByte(std::uint32_t addr, unsigned value) {
    if (IsValid(addr))
        bytes_[addr] = static_cast<std::uint8_t>(value & 0xFF);
}

bool CMemoryImage::RangeIsValid(std::uint32_t addr, std::size_t n) const {
    // Wide arithmetic, so that a huge n cannot wrap around into the image.
    return n > 0 && static_cast<std::uint64_t>(addr) + n <= bytes_.size();
}

bool CMemoryImage::Read(std::uint32_t addr, std::uint8_t* dst, std::size_t n) const {
    if (!RangeIsValid(addr, n))
        return false;
    std::memcpy(dst, bytes_.data() + addr, n);
    return true;
}

bool CMemoryImage::Write(std::uint32_t addr, const std::uint8_t* src, std::size_t n) {
    if (!RangeIsValid(addr, n))
        return false;
    std::memcpy(bytes_.data() + addr, src, n);
    return true;
}

int CMemoryImage::GetBit(std::uint32_t addr, int bit) const {
    if (!IsValid(addr) || bit < 0 || bit > 7)
        return 1;
    return (bytes_[addr] >> bit) & 1;
}

void CMemoryImage::SetBit(std::uint32_t addr, int bit, bool on) {
    if (!IsValid(addr) || bit < 0 || bit > 7)
        return;
    const auto mask = static_cast<std::uint8_t>(1u << bit);
    if (on)
        bytes_[addr] |= mask;
    else
        bytes_[addr] &= static_cast<std::uint8_t>(~mask);
}

unsigned CMemoryImage::ReadBits(std::uint32_t addr, int bit, int width) const {
    unsigned result = 0;
    for (int i = 0; i < width && i < 16; ++i) {
        result = (result << 1) | static_cast<unsigned>(GetBit(addr, bit));
        StepBit(addr, bit);
    }
    return result;
}

void CMemoryImage::WriteBits(std::uint32_t addr, int bit, int width, unsigned value) {
    if (width > 16)
        width = 16;
    for (int i = width - 1; i >= 0; --i) {
        SetBit(addr, bit, ((value >> i) & 1) != 0);
        StepBit(addr, bit);
    }
}

void CMemoryImage::FillBytes(std::uint32_t addr, unsigned value, std::size_t n) {
    for (std::size_t i = 0; i < n; ++i)
        SetByte(static_cast<std::uint32_t>(addr + i), value);
}

} // namespace kt
