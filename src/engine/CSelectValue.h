#pragma once

#include "CChoiceList.h"

#include <string>

namespace kt {

// A choice among the entries of a CChoiceList, which it only refers to.
class CSelectValue {
public:
    explicit CSelectValue(const CChoiceList& list) : list_(&list) {}

    void SelectIndex(long long index) { index_ = list_->ClampIndex(index); }
    // The first entry whose text equals text without regard to case; when none
    // does, nothing changes. Answers whether one did.
    bool SelectText(const std::string& text);
    // The first entry whose value equals the low 16 bits of value; when none
    // does, the default entry. Returns the new index.
    int SelectValue(unsigned value);

    int Index() const { return index_; }
    const std::string& Text() const { return list_->Text(index_); }
    std::uint16_t Value() const { return list_->Value(index_); }

    // Answers the value part of a command ("=ON", "ByNumber=1", a lone "=").
    // ByNumber exchanges the entry index, the other forms the entry text.
    std::string Command(const std::string& valuePart);

private:
    const CChoiceList* list_;
    int index_ = 0;
};

} // namespace kt
