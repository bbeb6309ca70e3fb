#include "CNumberSelect.h"

#include "TextFields.h"
#include "ValueSelector.h"

namespace kt {

bool CNumberSelect::SelectText(const std::string& text) {
    int found = 0;
    if (!list_->FindText(text, found))
        return false;
    value_ = found;
    return true;
}

std::string CNumberSelect::Command(const std::string& valuePart) {
    // By number a word that is no number gives the default.
    return AnswerSelection(*this, valuePart, list_->Default(), &CNumberSelect::SetValue,
                           &CNumberSelect::Value);
}

} // namespace kt
