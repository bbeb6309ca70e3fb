#pragma once

#include "CLineItem.h"

#include <cstddef>
#include <cstdint>
#include <deque>
#include <optional>
#include <vector>

namespace kt {

// The pace of the line back to the program. Each byte is given the moment it
// may leave: on an idle line at once, otherwise one byte time after the byte
// before it. Moments are counted from the start of the current busy spell,
// so rounding never accumulates (byte k leaves at start + k * byte time
// exactly, in integer nanoseconds). Marks take no line time.
class CPacedLine {
public:
    using Nanos = std::int64_t;
    static constexpr Nanos kNanosPerSecond = 1'000'000'000;
    static constexpr int kBitsPerByte = 10; // start bit, 8 data bits, stop bit

    // Bytes at the pace of a serial line of this speed; 0: no pacing at all.
    static CPacedLine ForBaud(unsigned baud);
    // One byte every milliseconds (a line far too slow).
    static CPacedLine ForInterval(unsigned milliseconds);

    void Push(const CLineItem& item, Nanos now);
    bool Empty() const { return queue_.empty(); }
    std::size_t Size() const { return queue_.size(); }

    // When the first waiting item may leave; nothing when none waits.
    std::optional<Nanos> NextDeadline() const;
    // True when the first waiting item may leave at now.
    bool FrontDue(Nanos now) const;
    const CLineItem& Front() const { return queue_.front().item; }
    void PopFront() { queue_.pop_front(); }
    // The bytes at the front that may leave at now (marks stop the run), at
    // most max of them; PopFront(n) then takes the ones that went out.
    std::vector<std::uint8_t> DueBytes(Nanos now, std::size_t max) const;
    void PopFront(std::size_t n) {
        queue_.erase(queue_.begin(), queue_.begin() + static_cast<long>(n));
    }
    // Drops everything waiting (the next byte then finds an idle line).
    void Clear() {
        queue_.clear();
        busy_ = false;
    }

    // The time of byte k of a busy spell, relative to the spell's start.
    Nanos Offset(std::int64_t k) const;

private:
    // A byte takes numerator / denominator nanoseconds.
    CPacedLine(Nanos numerator, Nanos denominator)
        : numerator_(numerator), denominator_(denominator) {}

    struct Entry {
        CLineItem item;
        Nanos deadline;
    };

    Nanos numerator_;
    Nanos denominator_;
    std::deque<Entry> queue_;
    bool busy_ = false;          // a spell has begun (spellStart_ and lastIndex_ are valid)
    Nanos spellStart_ = 0;       // when byte 0 of the current spell leaves
    std::int64_t lastIndex_ = 0; // index of the last byte given a moment
};

} // namespace kt
