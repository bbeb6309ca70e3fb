#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace kt {

// A list of named choices. Each entry has a text (how it is shown and written
// in commands) and the number that stands for it in the memory image.
class CChoiceList {
public:
    // Upper bound on the number of entries, so that a wild count cannot
    // exhaust memory.
    static constexpr int kMaxCount = 1024;

    CChoiceList() { SetCount(1); }

    // n entries (at least 1, at most kMaxCount); entry i gets the text "xxxx"
    // and the value i; the default index becomes 0.
    void SetCount(int n);
    int Count() const { return static_cast<int>(entries_.size()); }
    // Overwrite one entry (ignored for an index out of range).
    void SetEntry(int index, std::string text, std::uint16_t value);
    void SetDefaultIndex(int index) { defaultIndex_ = index; }
    int DefaultIndex() const { return defaultIndex_; }

    // index when it is in range; otherwise the default index when that is in
    // range; otherwise 0.
    int ClampIndex(long long index) const;
    const std::string& Text(long long index) const;
    std::uint16_t Value(long long index) const;

private:
    struct Entry {
        std::string text;
        std::uint16_t value;
    };
    std::vector<Entry> entries_;
    int defaultIndex_ = 0;
};

} // namespace kt
