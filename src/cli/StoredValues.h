#pragma once

#include <string>
#include <vector>

namespace kt {

class CM220Radio;

// A value a command gave that the radio does not keep as it was given: the
// heal moved a frequency into the band or onto the channel raster, emptied a
// channel, replaced or cut a name's characters, or a choice did not take.
// Spelling the radio always normalises (lower-case letters in a name or a
// choice word, trailing blanks) is not such a change.
struct ValueChange {
    std::string what;   // "channel 2 frequency", "setting COMMON.BEEP"
    std::string typed;  // the value as given
    std::string stored; // what the radio holds instead
    std::string reason; // why, for the user
};

// Compares the value of every assignment among commands (KEY=VALUE, and each
// part of a channel's ALL) with the value read back from radio, which has
// applied the commands and healed. An assignment that a later command
// overrides (the same key, or a channel's frequency and its in-use mark) is
// not compared. Commands that are no assignments are skipped.
std::vector<ValueChange> FindChangedValues(CM220Radio& radio,
                                           const std::vector<std::string>& commands);

// The value a command leaves, read back from radio after the heal: for a
// channel property or a common setting, its present value; for anything else,
// answer (what the command answered when it ran).
std::string StoredAnswer(CM220Radio& radio, const std::string& command, const std::string& answer);

// The memory channels the commands name ("CH.MCH.4.FREQUENCY=...",
// "CH.MCH.4.CLEAR"): their frequency is the commands' to decide.
std::vector<int> ChannelsNamed(const std::vector<std::string>& commands);

} // namespace kt
