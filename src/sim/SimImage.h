#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace kt {

// The transceiver's EEPROM as the virtual transceiver keeps it, and the places
// in it that the clone exchanges touch.
constexpr std::size_t kSimImageSize = 512;
using SimImage = std::array<std::uint8_t, kSimImageSize>;

// A read sends, and a data file holds, the region 0x010-0x1FF as 31 records of
// 16 bytes; bytes 0x000-0x00F never travel.
constexpr std::uint16_t kSimFirstRecord = 0x010;
constexpr std::size_t kSimRecordLength = 16;
constexpr std::size_t kSimRecordCount = 31;

// The 16-character clone comment, which the identity answer reports.
constexpr std::uint16_t kSimCommentAddress = 0x010;
constexpr std::size_t kSimCommentLength = 16;

// The model and revision codes of the VR-M220.
constexpr std::uint16_t kSimModelCode = 0x2270;
constexpr std::uint16_t kSimRevisionCode = 0x0100;

} // namespace kt
