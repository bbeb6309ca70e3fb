#pragma once

#include "CSimFrame.h"
#include "SimImage.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace kt {

// Faults the transceiver itself can be told to make.
struct CTransceiverFaults {
    bool silent = false;       // hears everything, answers nothing
    int badChecksumRecord = 0; // record n (1-31) of a read carries a wrong checksum; 0: none
    int lyingCountRecord = 0;  // record n of a read says 15 bytes but carries 16; 0: none
    bool shortEnd = false;     // a read ends with "Velk Inc" (one byte short)
    bool longFrame = false;    // a read starts with a 300-byte frame of an unknown command
    std::optional<std::uint8_t> result{}; // write result byte instead of the honest one
    // Record n (1-31) of a write is kept with its sixth data byte altered (for
    // a memory channel, the first letter of its name), though it arrived sound
    // and was echoed as sent; 0: none. The transceiver reports success.
    int corruptWriteRecord = 0;
};

struct CTransceiverSetup {
    std::uint16_t model = kSimModelCode;
    std::uint16_t revision = kSimRevisionCode;
    // The information text of the identity answer; without it, the clone
    // comment in the image (bytes 0x010-0x01F) at the time of the answer.
    std::optional<std::string> comment;
    CTransceiverFaults faults;
};

// What the transceiver does about one frame from the program.
struct CTransceiverAnswer {
    std::vector<ByteVector> frames; // whole frames to send, in order
    std::vector<std::string> log;   // one line per thing worth telling
    bool exchangeDone = false;      // the answer finishes an exchange
    bool imageWritten = false;      // a write was accepted into the image
};

// The VR-M220 at the far end of the cable, as pure logic: it keeps the
// 512-byte image and answers the identity, read and write requests. A write
// is collected aside and enters the image only when every record was sound,
// the end frame arrived and the result is success.
class CTransceiver {
public:
    // The result byte of a write that was not accepted.
    static constexpr std::uint8_t kWriteFailed = 0x01;
    // Command of the long frame: one the program does not know, so it must
    // cut the frame to its buffer and ignore it.
    static constexpr std::uint8_t kLongFrameCommand = 0xE7;
    static constexpr std::size_t kLongFrameBody = 300;
    // The data byte of a record that the corrupt-write fault alters.
    static constexpr std::size_t kCorruptedByte = 5;

    CTransceiver(const CTransceiverSetup& setup, const SimImage& image);

    CTransceiverAnswer OnFrame(std::span<const std::uint8_t> body);

    // The program closed its end: a write in progress is dropped. Gives a
    // line for the log when something was dropped.
    std::string ResetSession();

    const SimImage& Image() const { return image_; }
    bool Writing() const { return writing_; }

private:
    void AnswerIdentity(CTransceiverAnswer& answer) const;
    void AnswerRead(std::span<const std::uint8_t> payload, CTransceiverAnswer& answer) const;
    void StartWrite(std::span<const std::uint8_t> payload, CTransceiverAnswer& answer);
    void TakeRecord(std::span<const std::uint8_t> payload, CTransceiverAnswer& answer);
    void FinishWrite(std::span<const std::uint8_t> payload, CTransceiverAnswer& answer);
    bool IsOurIdentity(std::span<const std::uint8_t> payload) const;
    std::string IdentityText() const;
    void Reject(std::string reason, CTransceiverAnswer& answer);

    CTransceiverSetup setup_;
    SimImage image_;

    bool writing_ = false;
    SimImage staged_{};
    int recordsTaken_ = 0;
    std::string writeFault_; // the first thing wrong with the write; empty: none
};

} // namespace kt
