#pragma once

#include <map>
#include <string>

namespace kt {

// An inclusive range of numbers, each with a display text, and a default
// number that stands in for numbers out of range.
class CNumberList {
public:
    CNumberList() { SetRange(0, 0); }

    // minimum = smaller, maximum = larger, default = minimum, every text empty.
    void SetRange(int a, int b);
    void SetDefault(int value) { default_ = value; }
    void SetText(int value, std::string text);

    int Minimum() const { return minimum_; }
    int Default() const { return default_; }

    bool IsValid(long long value) const { return minimum_ <= value && value <= maximum_; }
    // value when valid; otherwise the default when valid; otherwise the minimum.
    int Validate(long long value) const;
    // The text of Validate(value); empty when none was set.
    std::string Text(long long value) const;
    // The first number from minimum to maximum whose text equals text without
    // regard to case; false when there is none.
    bool FindText(const std::string& text, int& value) const;

private:
    int minimum_ = 0;
    int maximum_ = 0;
    int default_ = 0;
    std::map<int, std::string> texts_; // only the numbers that have a text
};

} // namespace kt
