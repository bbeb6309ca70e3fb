#pragma once

#include <string>

namespace kt {

class CM220Radio;

// What the Edit Memory dialog holds for one memory channel, and the commands
// OK sends for it. The same commands give the dialog's preview of what the
// radio will hold, sent to a copy of the radio.
struct CChannelFields {
    std::string frequency; // as typed
    std::string name;
    bool txInhibit = false;
    bool lockout = false;

    // Sends name, transmit inhibit, lockout and frequency, then (for a
    // frequency that empties the channel) switches priority scanning off,
    // sets whether the channel appears and heals it, in that order.
    void ApplyTo(CM220Radio& radio, int channel) const;
};

} // namespace kt
