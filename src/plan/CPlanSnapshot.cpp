#include "CPlanSnapshot.h"

#include "CM220Radio.h"
#include "TextFields.h"

namespace kt {

static_assert(CPlanSnapshot::kChannelCount == CM220Radio::kChannelCount);

CPlanSnapshot CPlanSnapshot::Take(CM220Radio& radio) {
    CPlanSnapshot plan;
    for (int n = 1; n <= kChannelCount; ++n) {
        Channel& channel = plan.channels.at(static_cast<std::size_t>(n - 1));
        channel.number = n;
        channel.used = !radio.IsChannelEmpty(n);
        if (!channel.used)
            continue;
        long hz = 0;
        if (ScanLong(radio.Command(CM220Radio::ChannelPrefix(n) + "FREQUENCY.ByNumber"), hz))
            channel.hz = hz;
        channel.name = Trim(radio.GetName(n));
        channel.txInhibit = radio.GetTxInhibit(n) == "ON";
    }
    plan.priorityScan = radio.GetPriorityScan() == "ON";
    const long priority = LeadingDigits(radio.GetPriorityChannel());
    if (priority >= 1 && priority <= kChannelCount)
        plan.priorityChannel = static_cast<int>(priority);
    return plan;
}

} // namespace kt
