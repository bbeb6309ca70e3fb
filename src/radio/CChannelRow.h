#pragma once

#include <array>
#include <string>

namespace kt {

class CM220Radio;

// The seven cells of one row of the channel list: number, "Prio" mark,
// frequency (with " ?" when it is not legal), name, "Inhibit", "Lockout" and
// an empty last column. An empty channel shows only its number, and nothing
// more is asked of the engine for it. Each cell holds at most 31 characters.
struct CChannelRow {
    static constexpr int kColumns = 7;
    static constexpr std::size_t kMaxCell = 31;

    std::array<std::string, kColumns> cells;

    static CChannelRow Build(CM220Radio& radio, int channel);
};

} // namespace kt
