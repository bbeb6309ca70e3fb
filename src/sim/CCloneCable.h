#pragma once

#include "CFrameParser.h"
#include "CLineItem.h"
#include "CTransceiver.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace kt {

// Faults of the cable and the line between the program and the transceiver.
struct CCableFaults {
    bool noEcho = false;             // the program's bytes do not come back
    int wrongEchoFrame = 0;          // in the echo of the program's n-th frame one byte is altered
    bool noise = false;              // junk bytes (never FE or FD) before each transceiver frame
    std::optional<int> pullAfter{};  // after n frames nothing passes any more
    std::optional<int> closeAfter{}; // after n frames the device vanishes
};

// What one batch of the program's bytes leads to.
struct CLineOutput {
    std::vector<CLineItem> items;
    std::vector<std::string> log;
    bool imageWritten = false;
};

// The cloning cable: a single shared line, so every byte the program sends
// comes back to it (the echo); the transceiver hears the program's frames and
// its answers follow the echo. Frames are counted as they pass the cable in
// either direction (a program frame once, when its end byte passes), which
// is what the pull and close faults count.
class CCloneCable {
public:
    // Junk that --noise puts before each transceiver frame.
    static constexpr std::uint8_t kNoise[] = {0x00, 0x55, 0xAA, 0x0D, 0x0A, 0xF0};

    CCloneCable(CTransceiver& transceiver, const CCableFaults& faults);

    void FromProgram(std::span<const std::uint8_t> bytes, CLineOutput& out);

    // The program closed its end: a frame it was half-way through is forgotten.
    void ResetSession() { parser_.Reset(); }

    CTransceiver& Transceiver() { return transceiver_; }
    bool Dead() const { return pulled_ || closed_; }
    bool Vanished() const { return closed_; }

private:
    void Echo(std::uint8_t byte, CLineOutput& out);
    void FramePassed(CLineOutput& out);
    void Answer(const CTransceiverAnswer& answer, CLineOutput& out);

    CTransceiver& transceiver_;
    CCableFaults faults_;
    CFrameParser parser_;
    int programFrames_ = 0; // frames of the program completed so far
    int framesPassed_ = 0;
    bool pulled_ = false;
    bool closed_ = false;
};

} // namespace kt
