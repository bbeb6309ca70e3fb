#pragma once

#include <cstdint>
#include <vector>

namespace kt {

// A list of inclusive ranges of signed 32-bit integers, such as the legal
// frequency ranges of the band plan.
class CRangeList {
public:
    // Adds the range min(a, b) .. max(a, b).
    void Add(std::int32_t a, std::int32_t b);
    void Clear() { ranges_.clear(); }
    bool Contains(std::int64_t value) const;

private:
    struct Range {
        std::int32_t low;
        std::int32_t high;
    };
    std::vector<Range> ranges_;
};

} // namespace kt
