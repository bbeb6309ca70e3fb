#include "CRangeList.h"

#include <algorithm>

namespace kt {

void CRangeList::Add(std::int32_t a, std::int32_t b) {
    ranges_.push_back({std::min(a, b), std::max(a, b)});
}

bool CRangeList::Contains(std::int64_t value) const {
    return std::any_of(ranges_.begin(), ranges_.end(),
                       [value](const Range& r) { return r.low <= value && value <= r.high; });
}

} // namespace kt
