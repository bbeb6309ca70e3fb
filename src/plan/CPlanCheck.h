#pragma once

#include "CPlanSnapshot.h"

#include <string>
#include <vector>

namespace kt {

class CM220Radio;

// Looks over a channel plan for the mistakes that matter in the air: the
// emergency frequency missing or inhibited, a receive-only service that can
// transmit, a frequency held twice, a channel in use without a name, priority
// scanning on an empty channel. Each finding names its channel (or the whole
// plan), how much it matters and what to do about it. The checks are a table:
// a new one is a function and a row.
class CPlanCheck {
public:
    enum class Severity { kError, kWarning, kNote };

    struct Finding {
        int channel = 0; // 1-20; 0 for the plan as a whole
        Severity severity = Severity::kNote;
        std::string advice; // one sentence
    };

    struct Check {
        const char* name; // a short word for the check, for lists and tests
        void (*run)(const CPlanSnapshot& plan, std::vector<Finding>& findings);
    };

    // The emergency frequency, and the 8.33 kHz designator of its carrier.
    static constexpr long kEmergencyHz = 121500000;
    static constexpr long kEmergencyDesignatorHz = 121505000;

    static const std::vector<Check>& Checks();

    // Every check in table order; within a check, channels in order.
    static std::vector<Finding> Run(const CPlanSnapshot& plan);
    static std::vector<Finding> Run(CM220Radio& radio);

    // "error", "warning", "note".
    static const char* SeverityWord(Severity severity);
    // "CH 3 warning: advice" or "Plan warning: advice". The advice holds
    // channel names as the image holds them: a caller printing on a terminal
    // makes the text safe first.
    static std::string Describe(const Finding& finding);

    // The receive-only service a channel name stands for ("ATIS", "VOLMET",
    // "AWOS", "ASOS"), or the empty text. A name holds the service's word, or
    // ends in the three letters the airport channels get (EDDFATI), or in the
    // first two of them and a digit (EDDFAT2, the second ATIS of an airport).
    static std::string ReceiveOnlyService(const std::string& name);
};

} // namespace kt
