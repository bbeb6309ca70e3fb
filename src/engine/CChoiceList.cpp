#include "CChoiceList.h"

#include <algorithm>

namespace kt {

void CChoiceList::SetCount(int n) {
    n = std::clamp(n, 1, kMaxCount);
    entries_.clear();
    for (int i = 0; i < n; ++i)
        entries_.push_back({"xxxx", static_cast<std::uint16_t>(i)});
    defaultIndex_ = 0;
}

void CChoiceList::SetEntry(int index, std::string text, std::uint16_t value) {
    if (index < 0 || index >= Count())
        return;
    entries_[static_cast<std::size_t>(index)] = {std::move(text), value};
}

int CChoiceList::ClampIndex(long long index) const {
    if (index >= 0 && index < Count())
        return static_cast<int>(index);
    if (defaultIndex_ >= 0 && defaultIndex_ < Count())
        return defaultIndex_;
    return 0;
}

const std::string& CChoiceList::Text(long long index) const {
    return entries_[static_cast<std::size_t>(ClampIndex(index))].text;
}

std::uint16_t CChoiceList::Value(long long index) const {
    return entries_[static_cast<std::size_t>(ClampIndex(index))].value;
}

} // namespace kt
