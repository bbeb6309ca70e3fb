#pragma once

#include <string>
#include <vector>

namespace kt {

class CM220Radio;

// What differs between two radio images, channel by channel and setting by
// setting, in the words of the channel list and of the Setting sheet (as
// kt-m220-cli show prints them): the channel number, the column
// ("Frequency", "Name", "Tx Inhibit", "Memory Lockout") or the setting's
// label, and the value shown for each image. A value the sheet hides (the
// priority channel while priority scanning is off) follows in parentheses.
// The priority mark of the list is not compared per channel: the "Priority
// CH" setting says it once.
class CImageComparison {
public:
    struct Difference {
        int channel = 0;      // 1-20; 0 for a common setting
        std::string property; // column title or setting label
        std::string first;    // as shown for the first image; empty when blank
        std::string second;   // as shown for the second image
    };

    // Shown in place of an empty value.
    static constexpr const char* kBlank = "(blank)";

    // Channels first (1-20, each in column order), then the settings in the
    // order show lists them. The radios are only read (their getters are not
    // const).
    static std::vector<Difference> Compare(CM220Radio& first, CM220Radio& second);

    // "CH 3 Name: TOWER -> GROUND" or "Operation Beep: [x] -> [ ]". The values
    // are as the image holds them: a caller printing on a terminal makes them
    // safe first.
    static std::string Describe(const Difference& difference);
};

} // namespace kt
