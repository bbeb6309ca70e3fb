#pragma once

#include "CMemoryImage.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kt {

// One run of consecutive image bytes and its one-line text form in a data
// file: 4 hexadecimal digits of address, 2 of count, then 2 per byte. While a
// file is loaded, the record also keeps a coverage map of the image addresses
// that records have written, so that a file lacking part of the image can be
// told apart from a complete one.
class CHexRecord {
public:
    // The longest line Parse can accept: address, count and 255 bytes.
    static constexpr std::size_t kMaxLineLength = 6 + 2 * 255;
    // A complete load has written every address from here to the end of the image.
    static constexpr std::uint32_t kRequiredFirstAddress = 0x080;

    CHexRecord() = default;
    CHexRecord(const CHexRecord&) = delete;
    CHexRecord& operator=(const CHexRecord&) = delete;

    // Makes image the bound image with a clear coverage map, unless it is
    // already bound (then the coverage made so far stays).
    void Bind(CMemoryImage& image);
    // A fresh buffer of count bytes for the run at address of image.
    void Prepare(CMemoryImage& image, std::uint32_t address, std::uint32_t count);
    // Copies the run from the bound image into the buffer.
    void ReadFromImage();
    // Copies the buffer into the bound image and marks those addresses covered.
    void WriteToImage();

    // The text form, upper-case digits.
    std::string Format() const;
    // Checks line and, when it passes, takes address, count and bytes from it.
    // Answers "OK", or "ERROR" (no image bound), "FORMAT_ERROR" or
    // "DATA_OVERFLOW". Never touches the image.
    std::string Parse(std::string_view line);
    // Whether every address from kRequiredFirstAddress to the end of the bound
    // image has been written since the image was bound.
    bool IsComplete() const;

    std::uint32_t Address() const { return address_; }
    std::uint32_t Count() const { return count_; }
    const std::vector<std::uint8_t>& Data() const { return data_; }

private:
    void MarkCovered(std::uint32_t address, std::uint32_t count);

    std::vector<std::uint8_t> data_;
    std::uint32_t address_ = 0;
    std::uint32_t count_ = 0;
    CMemoryImage* image_ = nullptr;        // not owned
    std::optional<CMemoryImage> coverage_; // one bit per image byte, MSB first
};

} // namespace kt
