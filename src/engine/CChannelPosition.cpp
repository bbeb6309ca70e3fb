#include "CChannelPosition.h"

#include "TextFields.h"

#include <array>
#include <limits>
#include <string_view>

namespace kt {

namespace {
constexpr std::array<std::string_view, CChannelPosition::kKindCount> kKindNames = {"NONE", "VFO",
                                                                                   "MCH"};
constexpr std::array<int, CChannelPosition::kKindCount> kSlotCounts = {
    0, 1, CChannelPosition::kMemoryChannelCount};
// Linear index of slot 0 of each kind: the VFO is entry 0, memory channel 1 entry 1.
constexpr std::array<int, CChannelPosition::kKindCount> kLinearBase = {0, 0, 1};
} // namespace

int CChannelPosition::SlotCount(int kind) {
    return (kind >= 0 && kind < kKindCount) ? kSlotCounts[static_cast<std::size_t>(kind)] : 0;
}

void CChannelPosition::Set(int kind, int index) {
    kind_ = (kind < 0 || kind >= kKindCount) ? kKindVfo : kind;
    index_ = index;
}

int CChannelPosition::LinearIndex() const {
    const int base = kLinearBase[static_cast<std::size_t>(kind_)];
    // An index kept as given may be anything; do not let it overflow.
    if (base > 0 && index_ == std::numeric_limits<int>::max())
        return index_;
    return base + index_;
}

void CChannelPosition::Next() {
    // ">=" rather than "==": NONE has no slots, and an index set beyond its
    // kind's slots must still move on, or a walk would never end.
    if (index_ >= SlotCount(kind_) - 1) {
        index_ = 0;
        kind_ = (kind_ + 1) % kKindCount;
    } else {
        ++index_;
    }
}

std::string CChannelPosition::ToText() const {
    std::string text = "CH.";
    text += kKindNames[static_cast<std::size_t>(kind_)];
    if (kind_ != kKindNone) {
        text += '.';
        text += std::to_string(static_cast<long long>(index_) + 1);
    }
    return text;
}

std::string CChannelPosition::ParsePrefix(std::string& commandText) {
    if (!EqualsNoCase(Field(commandText, '.', 0), "CH"))
        return ToText();
    const std::string kindName = Field(commandText, '.', 1);
    int kind = kKindNone;
    for (int k = kKindVfo; k < kKindCount; ++k)
        if (EqualsNoCase(kindName, kKindNames[static_cast<std::size_t>(k)]))
            kind = k;
    if (kind == kKindNone)
        return ToText();

    long number = 0;
    if (ScanLong(Field(commandText, '.', 2), number) && number >= 1 && number <= SlotCount(kind))
        Set(kind, static_cast<int>(number - 1));
    commandText = Remainder(commandText, '.', 3);
    return ToText();
}

} // namespace kt
