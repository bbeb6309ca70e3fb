#pragma once

#include "ByteVector.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace kt {

// The bytes of the clone protocol as the transceiver sees them: frame
// delimiters, addresses, commands, and the hexadecimal data records.
namespace CSimFrame {
inline constexpr std::uint8_t kPreamble = 0xFE;
inline constexpr std::uint8_t kEnd = 0xFD;
// Each party's own address. A frame names its receiver first, then its
// sender: the program's frames carry EE EF, the transceiver's EF EE.
inline constexpr std::uint8_t kTransceiverAddress = 0xEE;
inline constexpr std::uint8_t kProgramAddress = 0xEF;

inline constexpr std::uint8_t kIdentityRequest = 0xE0;
inline constexpr std::uint8_t kIdentityAnswer = 0xE1;
inline constexpr std::uint8_t kReadRequest = 0xE2;
inline constexpr std::uint8_t kWriteRequest = 0xE3;
inline constexpr std::uint8_t kDataRecord = 0xE4;
inline constexpr std::uint8_t kEndFrame = 0xE5;
inline constexpr std::uint8_t kWriteResult = 0xE6;

// The offset of the command byte and of the payload inside a frame body
// (the body is everything between the preamble and the end byte).
inline constexpr std::size_t kCommandOffset = 2;
inline constexpr std::size_t kPayloadOffset = 3;

inline constexpr std::string_view kEndText = "Velk Inc.";

// FE FE, then the program's and the transceiver's address (EF EE), the command, the payload,
// FD.
ByteVector FromTransceiver(std::uint8_t command, std::span<const std::uint8_t> payload);
ByteVector FromTransceiver(std::uint8_t command, std::string_view payload);

// The two's complement of the byte sum, so that all bytes with it sum to 0.
std::uint8_t Checksum(std::span<const std::uint8_t> bytes);

// A data record's payload text: address (4 digits), count (2), 2 per data
// byte, then the checksum (2), all upper-case hexadecimal. The count field
// and checksum are given, so that faulty records can be built as well.
std::string RecordText(std::uint16_t address, std::uint8_t countField,
                       std::span<const std::uint8_t> data, std::uint8_t checksum);
// The checksum of a record as it should be.
std::uint8_t RecordChecksum(std::uint16_t address, std::uint8_t countField,
                            std::span<const std::uint8_t> data);

// Decodes text written as pairs of hexadecimal digits (either case);
// nothing when its length is odd or any character is not a digit.
std::optional<ByteVector> DecodeHex(std::string_view text);
} // namespace CSimFrame

} // namespace kt
