#pragma once

#include <cstdint>

namespace kt {

// One entry of what goes back to the program on the line: a byte, or a mark
// that something happens once every byte before it has left.
struct CLineItem {
    enum class Kind : std::uint8_t {
        Byte,         // a byte on the line
        ExchangeDone, // the transceiver has finished answering one exchange
        CloseDevice,  // the device vanishes here
    };
    Kind kind = Kind::Byte;
    std::uint8_t byte = 0;

    static CLineItem Of(std::uint8_t b) { return {Kind::Byte, b}; }
    static CLineItem Mark(Kind kind) { return {kind, 0}; }
    bool operator==(const CLineItem&) const = default;
};

} // namespace kt
