#include "CAirbandChannel.h"

#include "CBandPlan.h"
#include "MegahertzText.h"

#include <array>
#include <cstdlib>
#include <utility>

namespace kt {

namespace {
constexpr long kBlock = CAirbandChannel::kBlockHz;
constexpr long k100kHz = 100000;
// The offset of the designator above the carrier's block start, for the
// three 8.33 kHz channels of a block.
constexpr std::array<long, 3> kDesignatorOffsets = {5000, 10000, 15000};

// The radio's words for its channel spacings.
using Spacing = CAirbandChannel::Spacing;
constexpr std::pair<Spacing, const char*> kSpacingWords[] = {
    {Spacing::k25kHz, "25kHz"}, {Spacing::k833kHz, "8.33kHz"}, {Spacing::kCombined, "25k/8.33kHz"}};

bool InBand(long hz) {
    return hz >= CBandPlan::kLowestHz && hz <= CBandPlan::kHighestHz;
}

// The carrier of the 8.33 kHz channel at index i (0..2) of a block, above the
// block's start, rounded to the hertz: 0, 8333, 16667.
long CarrierOffset(std::size_t i) {
    return (static_cast<long>(i) * kBlock * 2 + 3) / 6;
}
} // namespace

CAirbandChannel::Spacing CAirbandChannel::SpacingFromWord(std::string_view word) {
    for (const auto& [spacing, text] : kSpacingWords)
        if (word == text)
            return spacing;
    // Anything but the two single rasters counts as the combined one.
    return Spacing::kCombined;
}

const char* CAirbandChannel::SpacingWord(Spacing spacing) {
    for (const auto& [each, text] : kSpacingWords)
        if (each == spacing)
            return text;
    return "";
}

CAirbandChannel::Step CAirbandChannel::StepFromText(std::string_view text) {
    const std::optional<long> hz = ParseMegahertz(text); // kHz read as MHz: a thousandfold
    if (!hz)
        return Step::kUnknown;
    if (*hz == 25000000)
        return Step::k25kHz;
    if (*hz >= 8330000 && *hz <= 8334000)
        return Step::k833kHz;
    return Step::kUnknown;
}

std::optional<CAirbandChannel> CAirbandChannel::FromDesignator(long hz) {
    if (!InBand(hz))
        return std::nullopt;
    const long offset = hz % kBlock;
    if (offset == 0)
        return CAirbandChannel(hz, false);
    for (const long d : kDesignatorOffsets)
        if (offset == d)
            return CAirbandChannel(hz, true);
    return std::nullopt;
}

std::optional<CAirbandChannel> CAirbandChannel::FromListValue(long hz, Step step) {
    if (const auto designated = FromDesignator(hz); designated && designated->is833_)
        return designated;
    const long start = hz - hz % kBlock;
    // The carriers near hz: this block's three and the next block's first.
    for (const long block : {start, start + kBlock}) {
        for (std::size_t i = 0; i < kDesignatorOffsets.size(); ++i) {
            if (block != start && i > 0)
                break;
            const long carrier = block + CarrierOffset(i);
            if (std::labs(hz - carrier) > kCarrierToleranceHz)
                continue;
            if (i == 0 && step != Step::k833kHz)
                return FromDesignator(block);
            return FromDesignator(block + kDesignatorOffsets[i]);
        }
    }
    return std::nullopt;
}

std::optional<CAirbandChannel> CAirbandChannel::Nearest(long hz) {
    if (!InBand(hz))
        return std::nullopt;
    const long start = hz - hz % kBlock;
    std::optional<CAirbandChannel> best;
    long bestDistance = 0;
    const auto consider = [&](long designator, long carrier) {
        const auto channel = FromDesignator(designator);
        const long distance = std::labs(hz - carrier);
        if (channel && (!best || distance < bestDistance)) {
            best = channel;
            bestDistance = distance;
        }
    };
    // 25 kHz channels first, so that they win a tie with the 8.33 kHz channel
    // of the same carrier.
    consider(start, start);
    consider(start + kBlock, start + kBlock);
    for (std::size_t i = 0; i < kDesignatorOffsets.size(); ++i)
        consider(start + kDesignatorOffsets[i], start + CarrierOffset(i));
    return best;
}

long CAirbandChannel::CarrierHz() const {
    if (!is833_)
        return designatorHz_;
    const long offset = designatorHz_ % kBlock;
    const long start = designatorHz_ - offset;
    return start + CarrierOffset(static_cast<std::size_t>(offset / 5000 - 1));
}

std::optional<long> CAirbandChannel::HeldIn(Spacing spacing) const {
    if (is833_)
        return spacing == Spacing::k25kHz ? std::nullopt : std::optional<long>(designatorHz_);
    const long offset = designatorHz_ % k100kHz;
    const bool ownPoint = spacing == Spacing::k25kHz ||
                          (spacing == Spacing::kCombined && (offset == 0 || offset == 50000));
    return ownPoint ? designatorHz_ : designatorHz_ + kDesignatorOffsets[0];
}

std::string CAirbandChannel::SpacingsThatHold() const {
    return is833_ ? "the 8.33kHz or 25k/8.33kHz spacing" : "every spacing";
}

std::string CAirbandChannel::DesignatorText() const {
    return FormatMegahertz(designatorHz_, 3);
}

std::string CAirbandChannel::CarrierText() const {
    return FormatMegahertz(CarrierHz(), 6);
}

std::string CAirbandChannel::Describe() const {
    return std::string(is833_ ? "the 8.33 kHz channel " : "the 25 kHz channel ") +
           DesignatorText() + " (carrier " + CarrierText() + " MHz)";
}

} // namespace kt
