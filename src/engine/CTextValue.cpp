#include "CTextValue.h"

#include "TextFields.h"
#include "ValueSelector.h"

#include <algorithm>

namespace kt {

namespace {
// The characters a channel name may hold, upper-case letters already made so.
bool IsChannelNameCharacter(unsigned char c) {
    return c == ' ' || c == '$' || c == '%' || (c >= 0x27 && c <= 0x2D) ||
           (c >= 0x2F && c <= 0x39) || (c >= 0x3C && c <= 0x60);
}
} // namespace

void CTextValue::SetLimits(int a, int b) {
    min_ = std::max(std::min(a, b), 1);
    max_ = std::min(std::max(a, b), kMaxLength);
    // A minimum pushed up to 1 may now exceed a maximum below 1.
    max_ = std::max(max_, min_);
    min_ = std::min(min_, max_);
    text_.assign(static_cast<std::size_t>(max_), ' ');
}

void CTextValue::SetMode(int mode) {
    mode_ = mode;
    Normalize();
}

void CTextValue::Set(const std::string& text) {
    // The text ends at its first zero byte, as a C string would.
    const std::size_t end = std::min(text.find('\0'), static_cast<std::size_t>(max_));
    text_.assign(text, 0, end);
    Normalize();
}

void CTextValue::Normalize() {
    if (text_.size() > static_cast<std::size_t>(max_))
        text_.resize(static_cast<std::size_t>(max_));
    if (mode_ == kModeChannelName) {
        for (char& ch : text_) {
            auto c = static_cast<unsigned char>(ch);
            if (c >= 'a' && c <= 'z')
                c = static_cast<unsigned char>(c - 'a' + 'A');
            ch = IsChannelNameCharacter(c) ? static_cast<char>(c) : ' ';
        }
    }
    if (text_.size() < static_cast<std::size_t>(min_))
        text_.append(static_cast<std::size_t>(min_) - text_.size(), ' ');
}

std::string CTextValue::Command(const std::string& valuePart) {
    std::string part = valuePart;
    ParseValueSelector(part); // every form sets and answers the text
    const std::string value = Remainder(part, '=', 1);
    if (!value.empty())
        Set(value);
    return Get();
}

} // namespace kt
