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
    const ValueRequest request = ReadValueRequest(valuePart);
    if (request.byNumber) {
        if (!request.value.empty())
            SetValue(request.number.value_or(list_->Default()));
        return std::to_string(value_);
    }
    if (!request.value.empty())
        SelectText(request.value);
    return Text();
}

} // namespace kt
