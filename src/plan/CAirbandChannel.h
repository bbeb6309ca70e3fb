#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace kt {

// A channel of the airband as pilots name it. A 25 kHz channel is named by its
// carrier; an 8.33 kHz channel by its designator. Within each 25 kHz block
// that starts at carrier B, the designators B+5, B+10 and B+15 kHz name the
// 8.33 kHz channels whose carriers are B, B+8.333 and B+16.667 kHz.
//
// The radio stores designators, on the raster of its channel spacing:
// - 25kHz holds the 25 kHz channels only;
// - 8.33kHz holds the 8.33 kHz designators; a 25 kHz channel is held by the
//   8.33 kHz channel of the same carrier (136.500 as 136.505);
// - 25k/8.33kHz holds the 8.33 kHz designators and the 25 kHz channels at
//   .x00 and .x50; its table has .x20 and .x70 where .x25 and .x75 would be,
//   points whose reading by the radio is unknown, so a 25 kHz channel at .x25
//   or .x75 is held by the 8.33 kHz channel of the same carrier (.x30, .x80).
class CAirbandChannel {
public:
    enum class Spacing { k25kHz, k833kHz, kCombined };
    // The channel step a channel list gives with a frequency (its TStep).
    enum class Step { kUnknown, k25kHz, k833kHz };

    static constexpr long kBlockHz = 25000;
    // How far a carrier read from a list may lie from a channel's carrier.
    static constexpr long kCarrierToleranceHz = 1000;

    // The radio's own word for a spacing ("25kHz", "8.33kHz", "25k/8.33kHz")
    // and back; any other word is the combined raster, as the radio reads it.
    static Spacing SpacingFromWord(std::string_view word);
    static const char* SpacingWord(Spacing spacing);
    // "25.00", "8.33" and other numbers of kHz as lists write them.
    static Step StepFromText(std::string_view text);

    // The channel a stored frequency names: a 25 kHz channel or an 8.33 kHz
    // designator inside the airband; nothing for any other point.
    static std::optional<CAirbandChannel> FromDesignator(long hz);
    // The channel a list's frequency stands for: a designator, or a carrier
    // within 1 kHz of a channel's carrier, the step deciding where the value
    // could be either (118.000 with 8.33 is the designator 118.005, without a
    // step or with 25.00 it is the 25 kHz channel).
    static std::optional<CAirbandChannel> FromListValue(long hz, Step step);
    // The channel whose carrier is nearest to hz (a 25 kHz channel on a tie);
    // nothing outside the airband.
    static std::optional<CAirbandChannel> Nearest(long hz);

    long DesignatorHz() const { return designatorHz_; }
    long CarrierHz() const;
    bool Is833() const { return is833_; }
    // The designator that holds this channel in the spacing (itself, or the
    // 8.33 kHz channel of the same carrier); nothing when the spacing holds no
    // channel of its carrier and width.
    std::optional<long> HeldIn(Spacing spacing) const;
    // The spacings that hold it, for messages: "the 8.33kHz or 25k/8.33kHz spacing".
    std::string SpacingsThatHold() const;

    // "132.840" and "132.841667".
    std::string DesignatorText() const;
    std::string CarrierText() const;
    // "the 8.33 kHz channel 132.840 (carrier 132.841667 MHz)" or
    // "the 25 kHz channel 136.500 (carrier 136.500000 MHz)".
    std::string Describe() const;

    friend bool operator==(const CAirbandChannel&, const CAirbandChannel&) = default;

private:
    CAirbandChannel(long designatorHz, bool is833) : designatorHz_(designatorHz), is833_(is833) {}

    long designatorHz_ = 0;
    bool is833_ = false;
};

} // namespace kt
