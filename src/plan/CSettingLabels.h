#pragma once

#include <string>
#include <vector>

namespace kt {

class CM220Radio;

// The common settings as a person reads them: the label each is shown with
// (by kt-m220-cli show, and in comparisons) and the radio's getter for its
// value, in the order the settings are listed.
struct CSettingLabels {
    struct Setting {
        const char* label;
        std::string (CM220Radio::*get)();
    };

    static const std::vector<Setting>& All();
};

} // namespace kt
