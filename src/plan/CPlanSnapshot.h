#pragma once

#include <array>
#include <string>

namespace kt {

class CM220Radio;

// The parts of a channel plan the plan checks look at, read from the radio
// data object once: each memory channel's use, stored frequency, name and
// transmit inhibit, and the priority scan.
struct CPlanSnapshot {
    struct Channel {
        int number = 0;
        bool used = false;
        long hz = 0;      // the stored frequency (designator); 0 when empty
        std::string name; // without the blanks that pad it to 7 characters
        bool txInhibit = false;
    };

    static constexpr int kChannelCount = 20;

    std::array<Channel, kChannelCount> channels;
    bool priorityScan = false;
    int priorityChannel = 0; // 1-20; 0 when the setting names no channel

    // The radio is only read (its getters are not const).
    static CPlanSnapshot Take(CM220Radio& radio);
    // The channel of number n (1-20).
    const Channel& At(int n) const { return channels.at(static_cast<std::size_t>(n - 1)); }
};

} // namespace kt
