#include "DefaultImage.h"

#include "HexCodec.h"

#include <array>
#include <cstring>
#include <optional>

namespace kt {

namespace {
constexpr std::uint32_t kRowSize = 16;

struct DefaultRows {
    std::uint32_t first; // address of the first row
    std::uint32_t end;   // address after the last row
    const char* bytes;   // the 16 bytes of each of these rows, in hexadecimal
};

// Rows not listed are all zero: 0x000 - 0x00F and 0x1A0 - 0x1FF but the maker text.
constexpr std::array<DefaultRows, 7> kDefaultRows = {{
    // Clone comment: sixteen blanks.
    {0x010, 0x020, "20202020202020202020202020202020"},
    // Not interpreted by the program.
    {0x020, 0x030, "08000000000000000013000013000000"},
    // Switches and selections; opening text erased.
    {0x030, 0x040, "0078E00000000000FFFFFFFFFFFFFF00"},
    // Priority channel 1.
    {0x040, 0x050, "00191E32000000000000000000000000"},
    // VFO: 118.000 MHz, transmit inhibit on.
    {0x050, 0x060, "11800080000000000000000000000000"},
    // Memory channel 1: 118.000 MHz, no name.
    {0x060, 0x070, "11800000002020202020202000000000"},
    // Memory channels 2 - 20: empty.
    {0x070, 0x1A0, "FF000000002020202020202000000000"},
}};

constexpr char kMakerText[] = "Velk Inc";

CMemoryImage BuildDefaultImage() {
    CMemoryImage image(kImageSize);
    for (const DefaultRows& rows : kDefaultRows) {
        const std::optional<ByteVector> bytes = HexCodec::Decode(rows.bytes);
        for (std::uint32_t row = rows.first; row < rows.end; row += kRowSize)
            image.Write(row, bytes->data(), kRowSize);
    }
    image.Write(kMakerTextAddress, reinterpret_cast<const std::uint8_t*>(kMakerText),
                std::strlen(kMakerText));
    return image;
}
} // namespace

const CMemoryImage& DefaultImage() {
    static const CMemoryImage image = BuildDefaultImage();
    return image;
}

} // namespace kt
