#include "CPacedLine.h"

namespace kt {

CPacedLine CPacedLine::ForBaud(unsigned baud) {
    if (baud == 0)
        return CPacedLine(0, 1);
    return CPacedLine(kNanosPerSecond * kBitsPerByte, baud);
}

CPacedLine CPacedLine::ForInterval(unsigned milliseconds) {
    return CPacedLine(Nanos{milliseconds} * 1'000'000, 1);
}

CPacedLine::Nanos CPacedLine::Offset(std::int64_t k) const {
    // k * numerator / denominator without overflow for long spells.
    return (k / denominator_) * numerator_ + (k % denominator_) * numerator_ / denominator_;
}

void CPacedLine::Push(const CLineItem& item, Nanos now) {
    if (item.kind != CLineItem::Kind::Byte) {
        // A mark follows the byte before it at once.
        const Nanos deadline = queue_.empty() ? now : queue_.back().deadline;
        queue_.push_back({item, deadline});
        return;
    }
    Nanos deadline = 0;
    if (busy_ && spellStart_ + Offset(lastIndex_ + 1) > now) {
        ++lastIndex_;
        deadline = spellStart_ + Offset(lastIndex_);
    } else {
        // The line has been idle for at least a byte time: a new spell.
        busy_ = true;
        spellStart_ = now;
        lastIndex_ = 0;
        deadline = now;
    }
    queue_.push_back({item, deadline});
}

std::optional<CPacedLine::Nanos> CPacedLine::NextDeadline() const {
    if (queue_.empty())
        return std::nullopt;
    return queue_.front().deadline;
}

bool CPacedLine::FrontDue(Nanos now) const {
    return !queue_.empty() && queue_.front().deadline <= now;
}

std::vector<std::uint8_t> CPacedLine::DueBytes(Nanos now, std::size_t max) const {
    std::vector<std::uint8_t> bytes;
    for (const Entry& entry : queue_) {
        if (bytes.size() >= max || entry.deadline > now || entry.item.kind != CLineItem::Kind::Byte)
            break;
        bytes.push_back(entry.item.byte);
    }
    return bytes;
}

} // namespace kt
