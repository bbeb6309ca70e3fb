#include "CSimFrame.h"

#include "HexCodec.h"

namespace kt {

ByteVector CSimFrame::FromTransceiver(std::uint8_t command, std::span<const std::uint8_t> payload) {
    ByteVector frame;
    frame.reserve(payload.size() + 6);
    for (std::uint8_t b : {kPreamble, kPreamble, kProgramAddress, kTransceiverAddress, command})
        frame.push_back(b);
    frame.insert(frame.end(), payload.begin(), payload.end());
    frame.push_back(kEnd);
    return frame;
}

ByteVector CSimFrame::FromTransceiver(std::uint8_t command, std::string_view payload) {
    ByteVector bytes(payload.begin(), payload.end());
    return FromTransceiver(command, bytes);
}

std::uint8_t CSimFrame::Checksum(std::span<const std::uint8_t> bytes) {
    unsigned sum = 0;
    for (std::uint8_t b : bytes)
        sum += b;
    return static_cast<std::uint8_t>(0x100 - (sum & 0xFF));
}

std::uint8_t CSimFrame::RecordChecksum(std::uint16_t address, std::uint8_t countField,
                                       std::span<const std::uint8_t> data) {
    unsigned sum = (address >> 8) + (address & 0xFF) + countField;
    for (std::uint8_t b : data)
        sum += b;
    return static_cast<std::uint8_t>(0x100 - (sum & 0xFF));
}

std::string CSimFrame::RecordText(std::uint16_t address, std::uint8_t countField,
                                  std::span<const std::uint8_t> data, std::uint8_t checksum) {
    std::string text;
    HexCodec::Append(text, address, 4);
    HexCodec::Append(text, countField, 2);
    text += HexCodec::Encode(data);
    HexCodec::Append(text, checksum, 2);
    return text;
}

std::optional<ByteVector> CSimFrame::DecodeHex(std::string_view text) {
    return HexCodec::Decode(text);
}

} // namespace kt
