#include "CChannelRow.h"

#include "CM220Radio.h"
#include "TextFields.h"

#include <cstdio>

namespace kt {

CChannelRow CChannelRow::Build(CM220Radio& radio, int channel) {
    CChannelRow row;
    const bool empty = radio.IsChannelEmpty(channel);
    for (int column = 0; column < kColumns; ++column) {
        if (empty && column != 0)
            continue;
        std::string text;
        switch (column) {
        case 0: {
            char buffer[16];
            std::snprintf(buffer, sizeof buffer, " %02d", channel);
            text = buffer;
            break;
        }
        case 1:
            if (LeadingDigits(radio.GetPriorityChannel()) == channel &&
                radio.GetPriorityScan() == "ON")
                text = "Prio";
            break;
        case 2:
            text = radio.GetFrequency(channel) + " " + radio.GetLegalMark(channel);
            break;
        case 3:
            text = radio.GetName(channel);
            break;
        case 4:
            if (radio.GetTxInhibit(channel) == "ON")
                text = "Inhibit";
            break;
        case 5:
            if (radio.GetLockout(channel) == "ON")
                text = "Lockout";
            break;
        default:
            break;
        }
        text = Trim(text);
        if (text.size() > kMaxCell)
            text.resize(kMaxCell);
        row.cells[static_cast<std::size_t>(column)] = text;
    }
    return row;
}

} // namespace kt
