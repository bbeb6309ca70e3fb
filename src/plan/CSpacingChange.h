#pragma once

#include "CAirbandChannel.h"

#include <array>
#include <string>
#include <vector>

namespace kt {

class CM220Radio;

// What a change of the channel spacing does to the stored channels. A change
// never moves a channel silently: each channel it changes is listed with its
// frequency before and after, so that the user can be asked first.
//
// A channel the new spacing can hold goes to the designator that holds it (the
// same carrier); the heal moves any other to the nearest point of the new
// raster, another carrier. Used around the change: take the snapshot, change
// the spacing setting, then HoldChannels, heal and Moves.
class CSpacingChange {
public:
    struct Move {
        int channel = 0;
        long beforeHz = 0;
        long afterHz = 0;
        // Held by another channel of the same carrier, not moved to another.
        bool sameCarrier = false;

        // "channel 4: the 8.33 kHz channel 132.840 (carrier 132.841667 MHz)
        // becomes the 25 kHz channel 132.850 (carrier 132.850000 MHz), another carrier"
        std::string Describe() const;
    };

    // The channels' frequencies now.
    explicit CSpacingChange(CM220Radio& radio);

    // After the spacing setting changed: puts every channel of the snapshot
    // that the new spacing holds on its holding designator (channels changed
    // since the snapshot are left alone).
    void HoldChannels(CM220Radio& radio) const;
    // The channels whose frequency differs from the snapshot, except those
    // given (channels whose frequency was set on purpose).
    std::vector<Move> Moves(CM220Radio& radio, const std::vector<int>& except = {}) const;

    // What switching to spacing would do, on a copy: the radio is untouched.
    static std::vector<Move> Preview(CM220Radio& radio, const std::string& spacing);
    // Switches, holds and heals; what it did.
    static std::vector<Move> Apply(CM220Radio& radio, const std::string& spacing);

private:
    std::string spacingBefore_;
    std::array<long, 21> hz_{}; // by channel number; 0 for an empty channel
};

} // namespace kt
