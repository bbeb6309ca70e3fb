#pragma once

#include "CAirbandChannel.h"
#include "CAirportTable.h"

#include <optional>
#include <string>
#include <vector>

namespace kt {

class CM220Radio;

// An airport's frequencies as memory channels: for each, the channel it is,
// the 7-character name it gets, whether transmit is inhibited, and how the
// plan's spacing holds it; then the chosen ones filled into the first empty
// channels.
class CAirportChannels {
public:
    enum class Status {
        Channel,     // a 25 kHz channel or an 8.33 kHz designator
        NoChannel,   // between channels: added only when the nearest is accepted
        OutsideBand, // never added
    };

    struct Candidate {
        CAirportFrequency row;
        Status status = Status::Channel;
        // The channel itself, or the nearest one for NoChannel.
        std::optional<CAirbandChannel> channel;
        std::string name;
        bool txInhibit = false;
        bool chosen = true;         // ticked for adding
        bool acceptNearest = false; // for NoChannel: add the nearest channel

        bool CanAdd() const {
            return chosen && channel &&
                   (status == Status::Channel || (status == Status::NoChannel && acceptNearest));
        }
        // How the spacing holds it, for the list: "as it is", "by 136.505
        // (same carrier)", "needs the 8.33kHz or 25k/8.33kHz spacing",
        // "outside the radio's band", "no channel: nearest 123.065 (carrier
        // 123.066667 MHz)".
        std::string Holding(CAirbandChannel::Spacing spacing) const;
    };

    // Candidates for the rows, in their order, with names made unique.
    static std::vector<Candidate> Build(const std::vector<CAirportFrequency>& rows);

    // The name of a frequency: the ident (its last four characters when
    // longer) and three letters of the service, in the radio's alphabet.
    static std::string BaseName(const std::string& ident, const std::string& type);
    // Receive-only services (ATIS, VOLMET, AWOS, ASOS and the like).
    static bool IsReceiveOnly(const std::string& type);
    // Makes every name unique: a repeated name ends in 2, 3, ... instead.
    static void MakeNamesUnique(std::vector<Candidate>& candidates);

    struct AddResult {
        enum class Outcome { Added, NeedsSpacing, TooFewChannels, NothingToAdd };
        Outcome outcome = Outcome::Added;
        std::string message;       // why nothing was added
        std::vector<int> channels; // the channels filled
        std::string spacingBefore; // when the spacing was switched
        std::string spacingAfter;
        std::vector<std::string> notes; // channels held by another of the same carrier
    };

    // Fills the candidates that CanAdd into the empty channels from
    // firstChannel on, in order. When the spacing cannot hold one of them,
    // chooseSpacing switches to 25k/8.33kHz first; without it nothing is
    // added. Nothing changes either when there are too few empty channels.
    static AddResult Add(CM220Radio& radio, const std::vector<Candidate>& candidates,
                         int firstChannel, bool chooseSpacing);
};

} // namespace kt
