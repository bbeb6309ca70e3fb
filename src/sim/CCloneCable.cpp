#include "CCloneCable.h"

namespace kt {

namespace {
std::string Frames(int n) {
    return std::to_string(n) + (n == 1 ? " frame" : " frames");
}

// The echo of the first payload byte is what --wrong-echo alters: body offset 3.
constexpr std::size_t kAlteredBodyOffset = CSimFrame::kPayloadOffset;

// Flips one bit without making a framing byte of it.
std::uint8_t Altered(std::uint8_t byte) {
    const auto flipped = static_cast<std::uint8_t>(byte ^ 0x01);
    if (flipped == CSimFrame::kPreamble || flipped == CSimFrame::kEnd)
        return static_cast<std::uint8_t>(byte ^ 0x04);
    return flipped;
}
} // namespace

CCloneCable::CCloneCable(CTransceiver& transceiver, const CCableFaults& faults)
    : transceiver_(transceiver), faults_(faults) {
    if (faults_.pullAfter && *faults_.pullAfter <= 0)
        pulled_ = true;
}

void CCloneCable::FromProgram(std::span<const std::uint8_t> bytes, CLineOutput& out) {
    for (std::uint8_t byte : bytes) {
        if (Dead())
            return;
        Echo(byte, out);
        if (!parser_.Accept(byte))
            continue;
        ++programFrames_;
        FramePassed(out);
        // The frame has passed the cable, so the transceiver hears it even
        // when nothing can come back any more.
        Answer(transceiver_.OnFrame(parser_.Body()), out);
    }
}

void CCloneCable::Echo(std::uint8_t byte, CLineOutput& out) {
    if (faults_.noEcho)
        return;
    const bool alter = programFrames_ + 1 == faults_.wrongEchoFrame && parser_.InFrame() &&
                       parser_.Collected() == kAlteredBodyOffset && byte != CSimFrame::kPreamble &&
                       byte != CSimFrame::kEnd;
    if (alter) {
        out.items.push_back(CLineItem::Of(Altered(byte)));
        out.log.push_back("cable: altered one byte in the echo of frame " +
                          std::to_string(faults_.wrongEchoFrame));
    } else {
        out.items.push_back(CLineItem::Of(byte));
    }
}

void CCloneCable::FramePassed(CLineOutput& out) {
    ++framesPassed_;
    if (faults_.closeAfter && framesPassed_ == *faults_.closeAfter) {
        out.items.push_back(CLineItem::Mark(CLineItem::Kind::CloseDevice));
        out.log.push_back("cable: the device vanishes after " + Frames(framesPassed_));
        closed_ = true;
    }
    if (faults_.pullAfter && framesPassed_ == *faults_.pullAfter && !closed_) {
        out.log.push_back("cable: pulled after " + Frames(framesPassed_));
        pulled_ = true;
    }
}

void CCloneCable::Answer(const CTransceiverAnswer& answer, CLineOutput& out) {
    out.log.insert(out.log.end(), answer.log.begin(), answer.log.end());
    out.imageWritten = out.imageWritten || answer.imageWritten;
    for (const ByteVector& frame : answer.frames) {
        if (Dead()) {
            out.log.push_back("cable: the transceiver's answer is cut off");
            return;
        }
        if (faults_.noise)
            for (std::uint8_t b : kNoise)
                out.items.push_back(CLineItem::Of(b));
        for (std::uint8_t b : frame)
            out.items.push_back(CLineItem::Of(b));
        FramePassed(out);
    }
    if (answer.exchangeDone && !closed_)
        out.items.push_back(CLineItem::Mark(CLineItem::Kind::ExchangeDone));
}

} // namespace kt
