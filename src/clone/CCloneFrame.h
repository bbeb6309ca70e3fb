#pragma once

#include "CByteString.h"
#include "CIdentityRecord.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace kt {

// The bytes of the clone protocol. A frame is 0xFE 0xFE, the address of its
// receiver, the address of its sender, a command byte, the payload, 0xFD.
namespace CloneByte {
inline constexpr std::uint8_t kPreamble = 0xFE;
inline constexpr std::uint8_t kEnd = 0xFD;
inline constexpr std::uint8_t kTransceiverAddress = 0xEE;
inline constexpr std::uint8_t kProgramAddress = 0xEF;

inline constexpr std::uint8_t kIdentityRequest = 0xE0;
inline constexpr std::uint8_t kIdentityAnswer = 0xE1;
inline constexpr std::uint8_t kReadRequest = 0xE2;
inline constexpr std::uint8_t kWriteRequest = 0xE3;
inline constexpr std::uint8_t kRecord = 0xE4;
inline constexpr std::uint8_t kEndFrame = 0xE5;
inline constexpr std::uint8_t kWriteResult = 0xE6;

// The highest byte an identity answer's information text may hold.
inline constexpr std::uint8_t kHighestTextByte = 0xEF;
// The result byte of a write that the transceiver accepted.
inline constexpr std::uint8_t kWriteAccepted = 0x00;
} // namespace CloneByte

// The payload of the end frame, in both directions.
inline constexpr char kCloneEndText[] = "Velk Inc.";

enum class CFrameSender { Program, Transceiver };

// What a received frame body is, by its addresses and command byte.
enum class CFrameKind {
    Ignored,
    EchoIdentityRequest,
    EchoReadRequest,
    EchoWriteRequest,
    EchoRecord,
    EchoEndFrame,
    IdentityAnswer,
    Record,
    EndFrame,
    WriteResult,
};

// Building and checking clone frames. Frames and bodies are held in byte
// strings of 255 bytes; the body is a frame without its two preamble bytes
// and its end byte. Pure functions: no state, no port.
namespace CCloneFrame {
// Offsets in a frame body.
inline constexpr std::uint16_t kCommandOffset = 2;
inline constexpr std::uint16_t kPayloadOffset = 3;
// A body with addresses, command and the four code bytes.
inline constexpr std::uint16_t kIdentityHeaderLength = 7;
// Bytes of a frame around its payload.
inline constexpr std::uint16_t kFrameOverhead = 6;
// Characters of address and count at the start of a record line.
inline constexpr std::size_t kRecordHeadLength = 6;

CByteString Build(CFrameSender sender, std::uint8_t command,
                  const CByteString& payload = CByteString());
CByteString Body(const CByteString& frame);

// FE FE EE EF E0 00 00 00 00 FD.
CByteString IdentityRequest();
// The read (E2) or write (E3) request with the model and revision bytes.
CByteString ReadRequest(const CByteString& model, const CByteString& revision);
CByteString WriteRequest(const CByteString& model, const CByteString& revision);
// The end frame with "Velk Inc.".
CByteString EndFrame(CFrameSender sender = CFrameSender::Program);

// Two's complement of the sum of the bytes, modulo 256: adding it to
// the sum gives 0.
std::uint8_t Checksum(const CByteString& bytes);

// The data record frame of a record line (4 hex digits of address, 2 of
// count, 2 per data byte). The line's characters go out as they stand,
// followed by the checksum in 2 upper-case digits. Nothing when the line
// is no whole record (shorter than 6 characters, or an odd number of
// digits) or its frame would not fit into 255 bytes.
std::optional<CByteString> RecordFrame(std::string_view line);

CFrameKind Classify(const CByteString& body);

// The transceiver's identity from an identity answer body: at least 7
// bytes, model and revision codes high byte first, then the information
// text, every byte of it 0xEF or lower.
std::optional<CIdentityRecord> IdentityAnswer(const CByteString& body);
// The record line of a data record body: the payload decodes to the
// address, the count, the data and the checksum, the decoded bytes sum
// to 0 modulo 256 and the count matches the data. The line has the
// address, count and data in upper-case hexadecimal, without checksum.
std::optional<std::string> RecordLine(const CByteString& body);
// True for a body of exactly 12 bytes ending in "Velk Inc.".
bool IsEndFrame(const CByteString& body);
// True when a write result body carries the result byte 0x00.
bool WriteSucceeded(const CByteString& body);
} // namespace CCloneFrame

} // namespace kt
