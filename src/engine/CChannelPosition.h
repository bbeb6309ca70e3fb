#pragma once

#include <string>

namespace kt {

// One of the transceiver's channel slots: the VFO or a memory channel. Converts
// between the slot and the "CH.<kind>.<n>." prefix of a command and walks all
// slots in the order VFO, memory channel 1 .. 20.
class CChannelPosition {
public:
    static constexpr int kKindNone = 0;
    static constexpr int kKindVfo = 1;
    static constexpr int kKindMemory = 2;
    static constexpr int kKindCount = 3;
    static constexpr int kMemoryChannelCount = 20;
    // Channel entries in walk order: the VFO (0) and memory channels 1 .. 20.
    static constexpr int kLinearCount = 1 + kMemoryChannelCount;

    // Number of slots of a kind: 0 for NONE, 1 for the VFO, 20 memory channels.
    static int SlotCount(int kind);

    CChannelPosition() = default;
    CChannelPosition(int kind, int index) { Set(kind, index); }

    // Stores both; a kind outside 0..2 becomes the VFO. The index is kept as given.
    void Set(int kind, int index);
    int Kind() const { return kind_; }
    int Index() const { return index_; }
    // 0 for the VFO, n for memory channel n (index n - 1), the index for NONE.
    int LinearIndex() const;
    // Memory channels 2 .. 20: the channels that list operations may shift.
    bool IsMemoryAfterFirst() const { return kind_ == kKindMemory && index_ > 0; }
    // Steps to the following slot; after the last slot of a kind comes the
    // first slot of the next kind, after memory channel 20 comes NONE.
    void Next();
    // "CH.NONE", "CH.VFO.1", "CH.MCH.20".
    std::string ToText() const;
    // Reads a "CH.<kind>.<n>." prefix off commandText. For a known kind (VFO,
    // MCH) the text loses everything up to its third "."; the position changes
    // only when n is a valid slot number. Answers ToText() afterwards.
    std::string ParsePrefix(std::string& commandText);

    bool operator==(const CChannelPosition&) const = default;

private:
    int kind_ = kKindNone;
    int index_ = 0;
};

} // namespace kt
