#include "CSimFrame.h"

#include <cstdio>

ByteVector CSimFrame::FromTransceiver(std::uint8_t command, std::span<const std::uint8_t> payload) {
    ByteVector frame;
    frame.reserve(payload.size() + 6);
    for (std::uint8_t b : {kPreamble, kPreamble, kTransceiverAddress, kProgramAddress, command})
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
    char digits[8];
    std::snprintf(digits, sizeof digits, "%04X%02X", address, countField);
    std::string text = digits;
    for (std::uint8_t b : data) {
        std::snprintf(digits, sizeof digits, "%02X", b);
        text += digits;
    }
    std::snprintf(digits, sizeof digits, "%02X", checksum);
    text += digits;
    return text;
}

namespace {
int HexValue(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}
} // namespace

std::optional<ByteVector> CSimFrame::DecodeHex(std::string_view text) {
    if (text.size() % 2 != 0)
        return std::nullopt;
    ByteVector bytes;
    bytes.reserve(text.size() / 2);
    for (std::size_t i = 0; i < text.size(); i += 2) {
        const int high = HexValue(text[i]);
        const int low = HexValue(text[i + 1]);
        if (high < 0 || low < 0)
            return std::nullopt;
        bytes.push_back(static_cast<std::uint8_t>(high * 16 + low));
    }
    return bytes;
}
