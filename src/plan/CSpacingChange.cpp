#include "CSpacingChange.h"

#include "CM220Radio.h"
#include "CMemoryArchive.h"
#include "MegahertzText.h"
#include "TextFields.h"

#include <algorithm>

namespace kt {

namespace {
long FrequencyHz(CM220Radio& radio, int n) {
    long hz = 0;
    if (radio.IsChannelEmpty(n) ||
        !ScanLong(radio.Command(CM220Radio::ChannelPrefix(n) + "FREQUENCY.ByNumber"), hz))
        return 0;
    return hz;
}

std::string DescribeHz(long hz) {
    if (hz == 0)
        return "nothing";
    if (const auto channel = CAirbandChannel::FromDesignator(hz))
        return channel->Describe();
    return FormatMegahertz(hz, 3) + " MHz";
}
} // namespace

std::string CSpacingChange::Move::Describe() const {
    return "channel " + std::to_string(channel) + ": " + DescribeHz(beforeHz) + " becomes " +
           DescribeHz(afterHz) + (sameCarrier ? ", the same carrier" : ", another carrier");
}

CSpacingChange::CSpacingChange(CM220Radio& radio) : spacingBefore_(radio.GetChannelSpacing()) {
    for (int n = 1; n <= CM220Radio::kChannelCount; ++n)
        hz_[static_cast<std::size_t>(n)] = FrequencyHz(radio, n);
}

void CSpacingChange::HoldChannels(CM220Radio& radio) const {
    const auto spacing = CAirbandChannel::SpacingFromWord(radio.GetChannelSpacing());
    for (int n = 1; n <= CM220Radio::kChannelCount; ++n) {
        const long before = hz_[static_cast<std::size_t>(n)];
        if (before == 0 || FrequencyHz(radio, n) != before)
            continue;
        const auto channel = CAirbandChannel::FromDesignator(before);
        const auto held = channel ? channel->HeldIn(spacing) : std::nullopt;
        if (held && *held != before)
            radio.Command(CM220Radio::ChannelPrefix(n) +
                          "FREQUENCY.ByNumber=" + std::to_string(*held));
    }
}

std::vector<CSpacingChange::Move> CSpacingChange::Moves(CM220Radio& radio,
                                                        const std::vector<int>& except) const {
    std::vector<Move> moves;
    for (int n = 1; n <= CM220Radio::kChannelCount; ++n) {
        if (std::find(except.begin(), except.end(), n) != except.end())
            continue;
        const long before = hz_[static_cast<std::size_t>(n)];
        const long after = FrequencyHz(radio, n);
        if (before == after)
            continue;
        const auto a = CAirbandChannel::FromDesignator(before);
        const auto b = CAirbandChannel::FromDesignator(after);
        moves.push_back({n, before, after, a && b && a->CarrierHz() == b->CarrierHz()});
    }
    return moves;
}

std::vector<CSpacingChange::Move> CSpacingChange::Preview(CM220Radio& radio,
                                                          const std::string& spacing) {
    CMemoryArchive image;
    radio.Serialize(image);
    CM220Radio copy;
    copy.NewData();
    CMemoryArchive in(image.Bytes());
    copy.Serialize(in);
    return Apply(copy, spacing);
}

std::vector<CSpacingChange::Move> CSpacingChange::Apply(CM220Radio& radio,
                                                        const std::string& spacing) {
    const CSpacingChange change(radio);
    radio.SetChannelSpacing(spacing);
    change.HoldChannels(radio);
    radio.Heal();
    return change.Moves(radio);
}

} // namespace kt
