#pragma once

namespace kt {

// Which way a decoded value moves when it is synced with the memory image:
// Decode reads the image into the value, Encode writes the value into the image.
enum class SyncDirection { Decode, Encode };

} // namespace kt
