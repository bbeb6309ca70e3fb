#pragma once

#include <optional>
#include <string>

namespace kt {

// The optional word in front of a value that says in which form the value is
// exchanged: as text (the default), as a number, or as a menu item's text.
constexpr int kSelectorByString = 0;
constexpr int kSelectorByNumber = 1;
constexpr int kSelectorByMenuItemName = 2;

// Reads a leading "ByString", "ByNumber" or "ByMenuItemName" (any case) that
// stands before the first "=" of text. When one is found, text becomes "="
// followed by everything after its first "=" (just "=" when it has none) and
// the word's index is returned. Otherwise text is left alone and the answer is
// kSelectorByString.
int ParseValueSelector(std::string& text);

// A command's value part read once: whether it addresses the value by number,
// the text after its "=" ("" when the command only asks), and that text as a
// whole number when it is one.
struct ValueRequest {
    bool byNumber = false;
    std::string value;
    std::optional<long> number;
};
ValueRequest ReadValueRequest(const std::string& valuePart);

// Answers the value part of a command to a selection, the same way for a
// choice (CSelectValue) and a number (CNumberSelect): ByNumber sets the
// number through setNumber, a word that is no number giving fallback, and
// answers the number; the other forms select by text and answer the text. A
// value part with nothing after its "=" only asks.
template <class Selection, class Number>
std::string AnswerSelection(Selection& selection, const std::string& valuePart, long long fallback,
                            void (Selection::*setNumber)(long long),
                            Number (Selection::*number)() const) {
    const ValueRequest request = ReadValueRequest(valuePart);
    if (request.byNumber) {
        if (!request.value.empty())
            (selection.*setNumber)(request.number.value_or(fallback));
        return std::to_string((selection.*number)());
    }
    if (!request.value.empty())
        selection.SelectText(request.value);
    return selection.Text();
}

} // namespace kt
