#pragma once

#include <cstdint>
#include <vector>

namespace kt {

// A run of raw bytes: frames on the serial line, file contents, images.
using ByteVector = std::vector<std::uint8_t>;

} // namespace kt
