#pragma once

#include "CSimFrame.h"
#include "SimImage.h"

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace kt {

namespace simtest {

// Appends bytes one by one (GCC 12 sees phantom overflows in vector::insert).
inline void Append(ByteVector& to, std::span<const std::uint8_t> bytes) {
    to.reserve(to.size() + bytes.size());
    for (std::uint8_t b : bytes)
        to.push_back(b);
}

inline ByteVector Join(std::initializer_list<ByteVector> parts) {
    ByteVector all;
    for (const ByteVector& part : parts)
        Append(all, part);
    return all;
}

// Frames as the program sends them, for feeding the virtual transceiver.
inline ByteVector ProgramFrame(std::uint8_t command, std::span<const std::uint8_t> payload) {
    ByteVector frame{0xFE, 0xFE, 0xEE, 0xEF, command};
    Append(frame, payload);
    frame.push_back(0xFD);
    return frame;
}

inline ByteVector ProgramFrame(std::uint8_t command, std::string_view payload) {
    const ByteVector bytes(payload.begin(), payload.end());
    return ProgramFrame(command, bytes);
}

inline ByteVector IdentityRequest() {
    const ByteVector zeros{0, 0, 0, 0};
    return ProgramFrame(CSimFrame::kIdentityRequest, zeros);
}

inline ByteVector ReadRequest() {
    const ByteVector codes{0x22, 0x70, 0x01, 0x00};
    return ProgramFrame(CSimFrame::kReadRequest, codes);
}

inline ByteVector WriteRequest() {
    const ByteVector codes{0x22, 0x70, 0x01, 0x00};
    return ProgramFrame(CSimFrame::kWriteRequest, codes);
}

inline ByteVector EndFrame() {
    return ProgramFrame(CSimFrame::kEndFrame, "Velk Inc.");
}

// The data record frame of the 16 bytes of image at address, as the program
// builds it from a record line.
inline ByteVector RecordFrame(const SimImage& image, std::uint16_t address) {
    const std::span<const std::uint8_t> data(image.data() + address, kSimRecordLength);
    const auto count = static_cast<std::uint8_t>(kSimRecordLength);
    return ProgramFrame(CSimFrame::kDataRecord,
                        CSimFrame::RecordText(address, count, data,
                                              CSimFrame::RecordChecksum(address, count, data)));
}

// The body of a whole frame (without FE FE and FD).
inline std::span<const std::uint8_t> BodyOf(const ByteVector& frame) {
    return std::span<const std::uint8_t>(frame).subspan(2, frame.size() - 3);
}

inline std::string Text(const ByteVector& bytes) {
    return std::string(bytes.begin(), bytes.end());
}

// An image that looks like the default one where it matters here: blanks in
// the clone comment, the maker text at the end, some pattern elsewhere.
inline SimImage SampleImage() {
    SimImage image{};
    for (std::size_t a = 0; a < image.size(); ++a)
        image[a] = static_cast<std::uint8_t>(a * 7 + 3);
    for (std::size_t a = 0; a < 16; ++a)
        image[a] = 0;
    for (std::size_t a = 0x010; a < 0x020; ++a)
        image[a] = 0x20;
    const std::string_view maker = "Velk Inc";
    std::copy(maker.begin(), maker.end(), image.begin() + 0x1F8);
    return image;
}

} // namespace simtest

} // namespace kt
