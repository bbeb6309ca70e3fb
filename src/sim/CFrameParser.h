#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace kt {

// Cuts the bytes the program sends into frame bodies: a 0xFE starts a frame
// afresh (so the two preamble bytes leave nothing behind), a 0xFD ends it, and
// bytes outside a frame are dropped. A body keeps its first 255 bytes, as the
// program's own buffers do.
class CFrameParser {
public:
    static constexpr std::size_t kMaxBody = 255;

    // Takes one byte; true when it ended a frame, whose body Body() then holds
    // until the next frame starts.
    bool Accept(std::uint8_t byte);

    const std::vector<std::uint8_t>& Body() const { return body_; }
    // Inside a frame, the number of body bytes collected so far.
    bool InFrame() const { return inFrame_; }
    std::size_t Collected() const { return body_.size(); }

    void Reset();

private:
    bool inFrame_ = false;
    std::vector<std::uint8_t> body_;
};

} // namespace kt
