#pragma once

#include "CByteString.h"

#include <cstdint>

namespace kt {

// Cuts the bytes received from the cloning cable into frame bodies. 0xFE
// starts a frame (and empties the collection), 0xFD ends one (the collection
// becomes the last frame), and every other byte is collected; a body keeps
// its first 255 bytes. There is no escaping on the line.
class CFrameStream {
public:
    // Takes one received byte; true when it completed a frame.
    bool AcceptByte(std::uint8_t byte);
    void Clear();

    // Bytes received since the last 0xFE. After a frame has completed it
    // still holds that frame's body until the next 0xFE.
    const CByteString& Collection() const { return collection_; }
    // The body of the last complete frame.
    const CByteString& LastFrame() const { return lastFrame_; }

private:
    CByteString collection_;
    CByteString lastFrame_;
};

} // namespace kt
