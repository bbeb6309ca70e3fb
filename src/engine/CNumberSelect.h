#pragma once

#include "CNumberList.h"

#include <string>

namespace kt {

// A number from the range of a CNumberList, which it only refers to.
class CNumberSelect {
public:
    explicit CNumberSelect(const CNumberList& list) : list_(&list) {}

    void SetValue(long long value) { value_ = list_->Validate(value); }
    // The first number whose text equals text without regard to case; when
    // none does, nothing changes. Answers whether one did.
    bool SelectText(const std::string& text);

    int Value() const { return value_; }
    std::string Text() const { return list_->Text(value_); }

    // Answers the value part of a command. ByNumber exchanges the number, the
    // other forms its text.
    std::string Command(const std::string& valuePart);

private:
    const CNumberList* list_;
    int value_ = 0;
};

} // namespace kt
