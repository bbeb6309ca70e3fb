#include "CSelectValue.h"

#include "TextFields.h"
#include "ValueSelector.h"

namespace kt {

bool CSelectValue::SelectText(const std::string& text) {
    for (int i = 0; i < list_->Count(); ++i) {
        if (EqualsNoCase(list_->Text(i), text)) {
            index_ = i;
            return true;
        }
    }
    return false;
}

int CSelectValue::SelectValue(unsigned value) {
    const auto wanted = static_cast<std::uint16_t>(value & 0xFFFF);
    for (int i = 0; i < list_->Count(); ++i) {
        if (list_->Value(i) == wanted) {
            index_ = i;
            return index_;
        }
    }
    // No entry carries the value: ClampIndex of the count is the default entry.
    index_ = list_->ClampIndex(list_->Count());
    return index_;
}

std::string CSelectValue::Command(const std::string& valuePart) {
    // By number a word that is no number gives the default entry.
    return AnswerSelection(*this, valuePart, list_->DefaultIndex(), &CSelectValue::SelectIndex,
                           &CSelectValue::Index);
}

} // namespace kt
