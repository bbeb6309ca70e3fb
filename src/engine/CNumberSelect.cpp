#include "CNumberSelect.h"

#include "TextFields.h"
#include "ValueSelector.h"

bool CNumberSelect::SelectText(const std::string& text) {
    int found = 0;
    if (!list_->FindText(text, found))
        return false;
    value_ = found;
    return true;
}

std::string CNumberSelect::Command(const std::string& valuePart) {
    std::string part = valuePart;
    const int selector = ParseValueSelector(part);
    const std::string value = Remainder(part, '=', 1);
    if (selector == kSelectorByNumber) {
        if (!value.empty()) {
            long number = 0;
            if (ScanLong(value, number))
                SetValue(number);
            else
                SetValue(list_->Default());
        }
        return std::to_string(value_);
    }
    if (!value.empty())
        SelectText(value);
    return Text();
}
