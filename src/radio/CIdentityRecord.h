#pragma once

#include <array>
#include <cstdint>

namespace kt {

// The identity of a transceiver model: model and revision codes, and the
// identity data (for this transceiver three bytes, then the 16-character
// model comment). The clone engine keeps the transceiver's last answer in the
// same shape, so that the two can be compared.
struct CIdentityRecord {
    std::uint16_t model = 0;
    std::uint16_t revision = 0;
    std::uint16_t length = 0;
    std::array<std::uint8_t, 258> data{};
};

} // namespace kt
