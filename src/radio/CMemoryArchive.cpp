#include "CMemoryArchive.h"

#include <algorithm>
#include <cstring>

namespace kt {

std::size_t CMemoryArchive::Read(char* buffer, std::size_t max) {
    if (storing_)
        return 0;
    const std::size_t n = std::min(max, bytes_.size() - readPos_);
    std::memcpy(buffer, bytes_.data() + readPos_, n);
    readPos_ += n;
    return n;
}

} // namespace kt
