#pragma once

#include "CMemoryImage.h"

#include <cstdint>

namespace kt {

// The layout of the transceiver's 512-byte memory image as data files carry it.
constexpr std::uint32_t kImageSize = 512;
// Bytes 0x000 - 0x00F are never written to a data file.
constexpr std::uint32_t kSavedRegionFirst = 0x010;
constexpr std::uint32_t kSavedRegionLast = 0x1FF;
// A data file must supply every byte from here to the end of the image.
constexpr std::uint32_t kRequiredRegionFirst = 0x080;
constexpr std::uint32_t kRequiredRegionLast = 0x1FF;
// Where the default image keeps the maker text "Velk Inc".
constexpr std::uint32_t kMakerTextAddress = 0x1F8;

// The model and revision that the header line of a data file names.
constexpr int kDataFileModel = 2270;
constexpr int kDataFileRevision = 100;

// The image of a transceiver in its factory state: the program's starting point
// for "INITIALIZE", and the source of every byte that no channel or setting
// encodes at each heal.
const CMemoryImage& DefaultImage();

} // namespace kt
