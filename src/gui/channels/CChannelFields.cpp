#include "CChannelFields.h"

#include "CM220Radio.h"
#include "FrequencyEntry.h"
#include "TextFields.h"

namespace kt {

namespace {
const char* OnOff(bool on) {
    return on ? "ON" : "OFF";
}
} // namespace

void CChannelFields::ApplyTo(CM220Radio& radio, int channel) const {
    radio.SetName(channel, name);
    radio.SetTxInhibit(channel, OnOff(txInhibit));
    radio.SetLockout(channel, OnOff(lockout));

    // A frequency out of range or without a number is sent as the empty text,
    // which leaves the engine's frequency alone; the channel is then emptied
    // through its appear flag.
    const std::string sent = FrequencyTextToSend(frequency);
    radio.SetFrequency(channel, sent);
    if (Trim(sent).empty()) {
        radio.SetPriorityChannel("OFF");
        radio.SetAppear(channel, "OFF");
    } else {
        radio.SetAppear(channel, "ON");
    }
    radio.HealChannel(channel);
}

} // namespace kt
