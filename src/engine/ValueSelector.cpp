#include "ValueSelector.h"

#include "TextFields.h"

#include <array>
#include <string_view>

namespace kt {

namespace {
constexpr std::array<std::string_view, 3> kSelectorWords = {"ByString", "ByNumber",
                                                            "ByMenuItemName"};
} // namespace

int ParseValueSelector(std::string& text) {
    if (text.empty())
        return kSelectorByString;
    const std::string word = Field(text, '=', 0);
    if (word.empty())
        return kSelectorByString;
    for (std::size_t i = 0; i < kSelectorWords.size(); ++i) {
        if (EqualsNoCase(word, kSelectorWords[i])) {
            const std::string rest = Remainder(text, '=', 1);
            text.assign(1, '=');
            text += rest;
            return static_cast<int>(i);
        }
    }
    return kSelectorByString;
}

ValueRequest ReadValueRequest(const std::string& valuePart) {
    std::string part = valuePart;
    ValueRequest request;
    request.byNumber = ParseValueSelector(part) == kSelectorByNumber;
    request.value = Remainder(part, '=', 1);
    if (long number = 0; !request.value.empty() && ScanLong(request.value, number))
        request.number = number;
    return request;
}

} // namespace kt
