#include "CStoredFrequencyPreview.h"

#include "CTempFile.h"
#include "FrequencyEntry.h"
#include "TextFields.h"

#include <cmath>

namespace kt {

namespace {
// Frequencies are shown to the kilohertz; anything closer is the same value.
constexpr double kSameMegahertz = 0.0000005;
} // namespace

CStoredFrequencyPreview::CStoredFrequencyPreview(CM220Radio& radio, int channel)
    : channel_(channel), wasEmpty_(radio.IsChannelEmpty(channel)) {
    // The engine writes its contents as a data file without touching its edit
    // state; the copy reads that file.
    const CTempFile file("ce");
    if (!file.IsValid())
        return;
    radio.SaveDataFile(file.Path());
    ready_ = copy_.LoadDataFile(file.Path());
}

QString CStoredFrequencyPreview::Describe(const CChannelFields& fields) {
    if (!ready_)
        return {};
    const std::string sent = FrequencyTextToSend(fields.frequency);
    // Whether the engine finds the frequency as typed inside the airband,
    // before the heal clamps and snaps it.
    bool outside = false;
    if (!Trim(sent).empty()) {
        copy_.SetFrequency(channel_, sent);
        outside = copy_.GetLegalMark(channel_) == "?";
    }
    fields.ApplyTo(copy_, channel_);
    if (copy_.IsChannelEmpty(channel_))
        return wasEmpty_ ? QString() : QStringLiteral("the channel will be emptied");
    const std::string stored = copy_.GetFrequency(channel_);
    if (std::fabs(LeadingDecimalNumber(stored) - LeadingDecimalNumber(sent)) < kSameMegahertz)
        return {};
    // Inside the band the heal only snaps to the raster of the channel
    // spacing set.
    QString reason = QStringLiteral("outside the airband");
    if (!outside) {
        const std::string spacing = copy_.GetChannelSpacing();
        reason = spacing == "25kHz"     ? QStringLiteral("25 kHz channel")
                 : spacing == "8.33kHz" ? QStringLiteral("8.33 kHz channel")
                                        : QStringLiteral("25k/8.33 kHz channel");
    }
    return QStringLiteral("stored as %1 (%2)").arg(QString::fromLatin1(stored.c_str()), reason);
}

} // namespace kt
