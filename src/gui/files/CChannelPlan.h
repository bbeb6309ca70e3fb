#pragma once

#include "CChannelRow.h"

#include <array>
#include <string>
#include <vector>

namespace kt {

class CM220Radio;

// What a printed channel plan shows, taken from the radio data object at one
// moment: the document's title, the transceiver's model and clone comment,
// the 20 rows of the channel list as the list shows them, and every setting
// of the Setting sheet with its label and the value the sheet would show.
// Texts are the radio's own (Latin-1).
struct CChannelPlan {
    struct Setting {
        std::string label;
        std::string value;
    };
    struct Group {
        std::string title; // the Setting sheet's page
        std::vector<Setting> settings;
    };

    static constexpr int kChannelCount = 20;

    std::string title;
    std::string model;
    std::string cloneComment;
    std::array<CChannelRow, kChannelCount> rows;
    std::vector<Group> groups;

    static CChannelPlan Build(CM220Radio& radio, const std::string& title);
};

} // namespace kt
