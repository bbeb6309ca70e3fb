#pragma once

#include "CChannelFields.h"
#include "CM220Radio.h"

#include <QString>

namespace kt {

// Tells, while the user types, what the radio will hold for a memory channel:
// the Edit Memory dialog's fields are sent, as OK sends them, to a copy of the
// radio's memory contents, and the channel is read back from it. So the
// preview heals and snaps exactly as the radio does, and the radio itself is
// not touched.
class CStoredFrequencyPreview {
public:
    // Copies radio's contents (channel spacing and all) as they are now.
    CStoredFrequencyPreview(CM220Radio& radio, int channel);

    // "stored as 136.975 (outside the airband)", "stored as 121.505 (8.33 kHz
    // channel)", "the channel will be emptied" (one in use now), or empty
    // when the frequency is kept as typed or an empty channel stays empty (or
    // no copy could be made).
    QString Describe(const CChannelFields& fields);

private:
    CM220Radio copy_;
    int channel_;
    bool wasEmpty_ = false;
    bool ready_ = false;
};

} // namespace kt
