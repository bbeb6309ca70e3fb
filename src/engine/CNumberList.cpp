#include "CNumberList.h"

#include "TextFields.h"

#include <algorithm>

namespace kt {

void CNumberList::SetRange(int a, int b) {
    minimum_ = std::min(a, b);
    maximum_ = std::max(a, b);
    default_ = minimum_;
    texts_.clear();
}

void CNumberList::SetText(int value, std::string text) {
    if (IsValid(value))
        texts_[value] = std::move(text);
}

int CNumberList::Validate(long long value) const {
    if (IsValid(value))
        return static_cast<int>(value);
    if (IsValid(default_))
        return default_;
    return minimum_;
}

std::string CNumberList::Text(long long value) const {
    const auto found = texts_.find(Validate(value));
    return found == texts_.end() ? std::string() : found->second;
}

bool CNumberList::FindText(const std::string& text, int& value) const {
    if (text.empty()) {
        // The first number without a text of its own has the empty text.
        // Only the numbers with a text are stored, so this walk is short.
        long long n = minimum_;
        while (n <= maximum_ && texts_.count(static_cast<int>(n)) != 0 &&
               !texts_.at(static_cast<int>(n)).empty())
            ++n;
        if (n > maximum_)
            return false;
        value = static_cast<int>(n);
        return true;
    }
    for (const auto& [number, numberText] : texts_) {
        if (EqualsNoCase(numberText, text)) {
            value = number;
            return true;
        }
    }
    return false;
}

} // namespace kt
