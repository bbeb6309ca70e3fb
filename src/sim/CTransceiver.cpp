#include "CTransceiver.h"

#include "HexCodec.h"

#include <algorithm>
#include <string_view>

namespace kt {

namespace {

// The information text as a log shows it: control and non-ASCII bytes as \xNN.
std::string Printable(std::string_view text) {
    std::string shown;
    for (char c : text) {
        const auto b = static_cast<std::uint8_t>(c);
        if (b >= 0x20 && b < 0x7F && c != '\\')
            shown += c;
        else
            shown += "\\x" + HexCodec::Byte(b);
    }
    return shown;
}

} // namespace

CTransceiver::CTransceiver(const CTransceiverSetup& setup, const SimImage& image)
    : setup_(setup), image_(image) {}

CTransceiverAnswer CTransceiver::OnFrame(std::span<const std::uint8_t> body) {
    CTransceiverAnswer answer;
    if (body.size() < CSimFrame::kPayloadOffset || body[0] != CSimFrame::kTransceiverAddress ||
        body[1] != CSimFrame::kProgramAddress) {
        answer.log.push_back("ignored a frame not addressed to the transceiver: " +
                             HexCodec::Encode(body));
        return answer;
    }
    const std::uint8_t command = body[CSimFrame::kCommandOffset];
    const auto payload = body.subspan(CSimFrame::kPayloadOffset);
    if (setup_.faults.silent) {
        answer.log.push_back("silent: heard command " + HexCodec::Byte(command));
        return answer;
    }
    switch (command) {
    case CSimFrame::kIdentityRequest:
        AnswerIdentity(answer);
        break;
    case CSimFrame::kReadRequest:
        AnswerRead(payload, answer);
        break;
    case CSimFrame::kWriteRequest:
        StartWrite(payload, answer);
        break;
    case CSimFrame::kDataRecord:
        TakeRecord(payload, answer);
        break;
    case CSimFrame::kEndFrame:
        FinishWrite(payload, answer);
        break;
    default:
        answer.log.push_back("ignored command " + HexCodec::Byte(command));
        break;
    }
    return answer;
}

std::string CTransceiver::ResetSession() {
    if (!writing_)
        return {};
    writing_ = false;
    return "write: dropped after " + std::to_string(recordsTaken_) +
           " records (the port was closed)";
}

std::string CTransceiver::IdentityText() const {
    if (setup_.comment)
        return *setup_.comment;
    return std::string(image_.begin() + kSimCommentAddress,
                       image_.begin() + kSimCommentAddress + kSimCommentLength);
}

void CTransceiver::AnswerIdentity(CTransceiverAnswer& answer) const {
    const std::string text = IdentityText();
    ByteVector payload{static_cast<std::uint8_t>(setup_.model >> 8),
                       static_cast<std::uint8_t>(setup_.model),
                       static_cast<std::uint8_t>(setup_.revision >> 8),
                       static_cast<std::uint8_t>(setup_.revision)};
    payload.insert(payload.end(), text.begin(), text.end());
    answer.frames.push_back(CSimFrame::FromTransceiver(CSimFrame::kIdentityAnswer, payload));
    answer.log.push_back("identity: answered model " + HexCodec::Text(setup_.model, 4) +
                         " revision " + HexCodec::Text(setup_.revision, 4) + " \"" +
                         Printable(text) + "\"");
    answer.exchangeDone = true;
}

bool CTransceiver::IsOurIdentity(std::span<const std::uint8_t> payload) const {
    return payload.size() == 4 && payload[0] == (setup_.model >> 8) &&
           payload[1] == (setup_.model & 0xFF) && payload[2] == (setup_.revision >> 8) &&
           payload[3] == (setup_.revision & 0xFF);
}

void CTransceiver::AnswerRead(std::span<const std::uint8_t> payload,
                              CTransceiverAnswer& answer) const {
    if (!IsOurIdentity(payload)) {
        answer.log.push_back("read: request for " + HexCodec::Encode(payload) + " ignored");
        return;
    }
    const CTransceiverFaults& faults = setup_.faults;
    if (faults.longFrame) {
        const std::string filler(kLongFrameBody - CSimFrame::kPayloadOffset, '0');
        answer.frames.push_back(CSimFrame::FromTransceiver(kLongFrameCommand, filler));
    }
    for (std::size_t i = 0; i < kSimRecordCount; ++i) {
        const int number = static_cast<int>(i) + 1;
        const auto address = static_cast<std::uint16_t>(kSimFirstRecord + i * kSimRecordLength);
        const std::span<const std::uint8_t> data(image_.data() + address, kSimRecordLength);
        auto count = static_cast<std::uint8_t>(kSimRecordLength);
        if (number == faults.lyingCountRecord)
            --count; // the checksum below still fits the lying count
        std::uint8_t checksum = CSimFrame::RecordChecksum(address, count, data);
        if (number == faults.badChecksumRecord)
            ++checksum;
        answer.frames.push_back(CSimFrame::FromTransceiver(
            CSimFrame::kDataRecord, CSimFrame::RecordText(address, count, data, checksum)));
    }
    std::string_view end = CSimFrame::kEndText;
    if (faults.shortEnd)
        end.remove_suffix(1);
    answer.frames.push_back(CSimFrame::FromTransceiver(CSimFrame::kEndFrame, end));

    std::string line = "read: " + std::to_string(kSimRecordCount) + " records sent";
    if (faults.longFrame)
        line += ", after a " + std::to_string(kLongFrameBody) + "-byte frame";
    if (faults.badChecksumRecord > 0)
        line += ", record " + std::to_string(faults.badChecksumRecord) + " with a wrong checksum";
    if (faults.lyingCountRecord > 0)
        line += ", record " + std::to_string(faults.lyingCountRecord) + " with a lying count";
    if (faults.shortEnd)
        line += ", end frame one byte short";
    answer.log.push_back(line);
    answer.exchangeDone = true;
}

void CTransceiver::StartWrite(std::span<const std::uint8_t> payload, CTransceiverAnswer& answer) {
    if (writing_)
        answer.log.push_back("write: the unfinished write before is dropped");
    writing_ = false;
    if (!IsOurIdentity(payload)) {
        answer.log.push_back("write: request for " + HexCodec::Encode(payload) + " ignored");
        return;
    }
    writing_ = true;
    staged_ = image_;
    recordsTaken_ = 0;
    writeFault_.clear();
    answer.log.push_back("write: request accepted");
}

void CTransceiver::Reject(std::string reason, CTransceiverAnswer& answer) {
    answer.log.push_back("write: " + reason);
    if (writeFault_.empty())
        writeFault_ = std::move(reason);
}

void CTransceiver::TakeRecord(std::span<const std::uint8_t> payload, CTransceiverAnswer& answer) {
    if (!writing_) {
        answer.log.push_back("ignored a data record outside a write");
        return;
    }
    ++recordsTaken_;
    const std::string number = "record " + std::to_string(recordsTaken_);
    const std::string_view text(reinterpret_cast<const char*>(payload.data()), payload.size());
    const auto decoded = CSimFrame::DecodeHex(text);
    // Address (2), count (1), at least one data byte, checksum (1).
    if (!decoded || decoded->size() < 5) {
        Reject(number + " is not hexadecimal text of a record: " + std::string(text), answer);
        return;
    }
    const ByteVector& bytes = *decoded;
    if (CSimFrame::Checksum(bytes) != 0) {
        Reject(number + " has a wrong checksum", answer);
        return;
    }
    const std::size_t address = bytes[0] * 256u + bytes[1];
    const std::size_t count = bytes[2];
    if (count != bytes.size() - 4) {
        Reject(number + " has a count that differs from its data", answer);
        return;
    }
    if (address + count > kSimImageSize) {
        Reject(number + " reaches past the end of the image", answer);
        return;
    }
    std::copy(bytes.begin() + 3, bytes.end() - 1, staged_.begin() + static_cast<long>(address));
    if (recordsTaken_ == setup_.faults.corruptWriteRecord && count > kCorruptedByte) {
        staged_[address + kCorruptedByte] ^= 0x01;
        answer.log.push_back("write: " + number + " kept with its sixth data byte altered");
    }
}

void CTransceiver::FinishWrite(std::span<const std::uint8_t> payload, CTransceiverAnswer& answer) {
    if (!writing_) {
        answer.log.push_back("ignored an end frame outside a write");
        return;
    }
    writing_ = false;
    const std::string_view text(reinterpret_cast<const char*>(payload.data()), payload.size());
    if (text != CSimFrame::kEndText)
        Reject("the end frame is not \"Velk Inc.\"", answer);
    const bool sound = writeFault_.empty();
    const std::uint8_t result =
        setup_.faults.result.value_or(sound ? std::uint8_t{0x00} : kWriteFailed);
    const std::uint8_t resultPayload[] = {result};
    answer.frames.push_back(CSimFrame::FromTransceiver(CSimFrame::kWriteResult, resultPayload));
    std::string line = "write: " + std::to_string(recordsTaken_) + " records received, result " +
                       HexCodec::Byte(result);
    if (sound && result == 0x00) {
        image_ = staged_;
        answer.imageWritten = true;
        line += ", image kept";
    } else {
        line += ", image unchanged";
        if (!sound)
            line += " (" + writeFault_ + ")";
    }
    answer.log.push_back(line);
    answer.exchangeDone = true;
}

} // namespace kt
