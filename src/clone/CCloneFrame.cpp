#include "CCloneFrame.h"

#include <cstring>

namespace kt {

namespace {

CByteString Request(std::uint8_t command, const CByteString& model, const CByteString& revision) {
    CByteString payload;
    payload += model;
    payload += revision;
    return CCloneFrame::Build(CFrameSender::Program, command, payload);
}

std::string HexOfByte(unsigned value) {
    CByteString hex;
    hex.SetHexOfByte(value);
    return hex.ToString();
}

} // namespace

CByteString CCloneFrame::Build(CFrameSender sender, std::uint8_t command,
                               const CByteString& payload) {
    const bool program = sender == CFrameSender::Program;
    CByteString frame;
    frame += CloneByte::kPreamble;
    frame += CloneByte::kPreamble;
    frame += program ? CloneByte::kTransceiverAddress : CloneByte::kProgramAddress;
    frame += program ? CloneByte::kProgramAddress : CloneByte::kTransceiverAddress;
    frame += command;
    frame += payload;
    frame += CloneByte::kEnd;
    return frame;
}

CByteString CCloneFrame::Body(const CByteString& frame) {
    CByteString body = frame;
    body.Mid(2, frame.Length() >= 3 ? static_cast<std::uint16_t>(frame.Length() - 3) : 0);
    return body;
}

CByteString CCloneFrame::IdentityRequest() {
    CByteString zeroPair;
    zeroPair += std::uint8_t{0};
    zeroPair += std::uint8_t{0};
    return Request(CloneByte::kIdentityRequest, zeroPair, zeroPair);
}

CByteString CCloneFrame::ReadRequest(const CByteString& model, const CByteString& revision) {
    return Request(CloneByte::kReadRequest, model, revision);
}

CByteString CCloneFrame::WriteRequest(const CByteString& model, const CByteString& revision) {
    return Request(CloneByte::kWriteRequest, model, revision);
}

CByteString CCloneFrame::EndFrame(CFrameSender sender) {
    CByteString payload;
    payload = kCloneEndText;
    return Build(sender, CloneByte::kEndFrame, payload);
}

std::uint8_t CCloneFrame::Checksum(const CByteString& bytes) {
    unsigned sum = 0;
    for (std::uint16_t i = 0; i < bytes.Length(); ++i)
        sum += bytes.Data()[i];
    return static_cast<std::uint8_t>(0x100 - (sum & 0xFF));
}

std::optional<CByteString> CCloneFrame::RecordFrame(std::string_view line) {
    if (line.size() < kRecordHeadLength || line.size() % 2 != 0)
        return std::nullopt;
    // Payload: the line and two checksum characters.
    if (line.size() + 2 + kFrameOverhead > CByteString::kDefaultCapacity)
        return std::nullopt;
    CByteString decoded;
    decoded = line;
    decoded.FromHex();
    CByteString payload;
    payload = line;
    payload += HexOfByte(Checksum(decoded));
    return Build(CFrameSender::Program, CloneByte::kRecord, payload);
}

CFrameKind CCloneFrame::Classify(const CByteString& body) {
    struct Kind {
        std::uint8_t command;
        CFrameKind kind;
    };
    // The program's own frames, coming back through the cable.
    static constexpr Kind kEchoes[] = {
        {CloneByte::kIdentityRequest, CFrameKind::EchoIdentityRequest},
        {CloneByte::kReadRequest, CFrameKind::EchoReadRequest},
        {CloneByte::kWriteRequest, CFrameKind::EchoWriteRequest},
        {CloneByte::kRecord, CFrameKind::EchoRecord},
        {CloneByte::kEndFrame, CFrameKind::EchoEndFrame},
    };
    static constexpr Kind kAnswers[] = {
        {CloneByte::kIdentityAnswer, CFrameKind::IdentityAnswer},
        {CloneByte::kRecord, CFrameKind::Record},
        {CloneByte::kEndFrame, CFrameKind::EndFrame},
        {CloneByte::kWriteResult, CFrameKind::WriteResult},
    };
    const auto find = [command = body.At(kCommandOffset)](const auto& kinds) {
        for (const Kind& k : kinds)
            if (k.command == command)
                return k.kind;
        return CFrameKind::Ignored;
    };
    const std::uint8_t to = body.At(0);
    const std::uint8_t from = body.At(1);
    if (to == CloneByte::kTransceiverAddress && from == CloneByte::kProgramAddress)
        return find(kEchoes);
    // Either address byte is enough to take a frame as the transceiver's.
    if (to == CloneByte::kProgramAddress || from == CloneByte::kTransceiverAddress)
        return find(kAnswers);
    return CFrameKind::Ignored;
}

std::optional<CIdentityRecord> CCloneFrame::IdentityAnswer(const CByteString& body) {
    if (body.Length() < kIdentityHeaderLength)
        return std::nullopt;
    const std::uint8_t* bytes = body.Data();
    CIdentityRecord identity;
    identity.model = static_cast<std::uint16_t>(bytes[3] << 8 | bytes[4]);
    identity.revision = static_cast<std::uint16_t>(bytes[5] << 8 | bytes[6]);
    identity.length = static_cast<std::uint16_t>(body.Length() - kIdentityHeaderLength);
    for (std::uint16_t i = 0; i < identity.length; ++i) {
        const std::uint8_t b = bytes[kIdentityHeaderLength + i];
        if (b > CloneByte::kHighestTextByte)
            return std::nullopt;
        identity.data[i] = b;
    }
    return identity;
}

std::optional<std::string> CCloneFrame::RecordLine(const CByteString& body) {
    if (body.Length() <= kPayloadOffset)
        return std::nullopt;
    CByteString decoded = body;
    decoded.Mid(kPayloadOffset, static_cast<std::uint16_t>(body.Length() - kPayloadOffset));
    decoded.FromHex();
    // Address (2), count (1) and checksum (1) at least.
    if (decoded.Length() < 4)
        return std::nullopt;
    unsigned sum = 0;
    for (std::uint16_t i = 0; i < decoded.Length(); ++i)
        sum += decoded.Data()[i];
    if ((sum & 0xFF) != 0)
        return std::nullopt;
    const std::uint8_t* bytes = decoded.Data();
    const unsigned dataCount = decoded.Length() - 4u;
    if (bytes[2] != dataCount)
        return std::nullopt;
    CByteString line = decoded;
    line.Mid(0, static_cast<std::uint16_t>(decoded.Length() - 1)); // without the checksum
    line.ToHex();
    return line.ToString();
}

bool CCloneFrame::IsEndFrame(const CByteString& body) {
    constexpr std::uint16_t kTextLength = sizeof(kCloneEndText) - 1;
    if (body.Length() != kPayloadOffset + kTextLength)
        return false;
    return std::memcmp(body.Data() + kPayloadOffset, kCloneEndText, kTextLength) == 0;
}

bool CCloneFrame::WriteSucceeded(const CByteString& body) {
    return body.Length() > kPayloadOffset &&
           body.Data()[kPayloadOffset] == CloneByte::kWriteAccepted;
}

} // namespace kt
