#include "CAirbandChannel.h"
#include "CM220Radio.h"
#include "CSpacingChange.h"

#include <gtest/gtest.h>

namespace kt {

namespace {
using Spacing = CAirbandChannel::Spacing;
using Step = CAirbandChannel::Step;

long Designator(const std::optional<CAirbandChannel>& c) {
    return c ? c->DesignatorHz() : -1;
}
} // namespace

TEST(CAirbandChannel, DesignatorsCarriersAndHolding) {
    struct Case {
        long designator;
        long carrier;
        bool is833;
        long in25k; // -1: not held
        long in833;
        long inCombined;
    };
    for (const Case& c : {
             Case{118000000, 118000000, false, 118000000, 118005000, 118000000},
             Case{118005000, 118000000, true, -1, 118005000, 118005000},
             Case{118010000, 118008333, true, -1, 118010000, 118010000},
             Case{132840000, 132841667, true, -1, 132840000, 132840000},
             Case{118025000, 118025000, false, 118025000, 118030000, 118030000},
             Case{136975000, 136975000, false, 136975000, 136980000, 136980000},
             Case{136980000, 136975000, true, -1, 136980000, 136980000},
         }) {
        SCOPED_TRACE(c.designator);
        const auto channel = CAirbandChannel::FromDesignator(c.designator);
        ASSERT_TRUE(channel);
        EXPECT_EQ(channel->CarrierHz(), c.carrier);
        EXPECT_EQ(channel->Is833(), c.is833);
        EXPECT_EQ(channel->HeldIn(Spacing::k25kHz).value_or(-1), c.in25k);
        EXPECT_EQ(channel->HeldIn(Spacing::k833kHz).value_or(-1), c.in833);
        EXPECT_EQ(channel->HeldIn(Spacing::kCombined).value_or(-1), c.inCombined);
    }
    // Points that name no channel, and the edges of the band.
    for (const long hz : {118020000L, 118070000L, 118001000L, 117975000L, 136985000L, 0L})
        EXPECT_FALSE(CAirbandChannel::FromDesignator(hz)) << hz;
    EXPECT_EQ(CAirbandChannel::FromDesignator(132840000)->Describe(),
              "the 8.33 kHz channel 132.840 (carrier 132.841667 MHz)");
}

TEST(CAirbandChannel, ListValuesAreCarriersOrDesignators) {
    struct Case {
        long hz;
        Step step;
        long designator; // -1: no channel
    };
    for (const Case& c : {
             Case{132841667, Step::k833kHz, 132840000},
             Case{132841667, Step::kUnknown, 132840000},
             Case{132841000, Step::k25kHz, 132840000},
             Case{132840000, Step::k25kHz, 132840000},
             Case{118000000, Step::k833kHz, 118005000},
             Case{118000000, Step::k25kHz, 118000000},
             Case{118000000, Step::kUnknown, 118000000},
             Case{118024500, Step::k833kHz, 118030000},
             Case{118024500, Step::k25kHz, 118025000},
             Case{118008333, Step::kUnknown, 118010000},
             Case{118012500, Step::kUnknown, -1},
             Case{123070000, Step::kUnknown, -1},
             Case{136990000, Step::kUnknown, -1},
             Case{117999500, Step::kUnknown, 118000000},
         }) {
        SCOPED_TRACE(c.hz);
        EXPECT_EQ(Designator(CAirbandChannel::FromListValue(c.hz, c.step)), c.designator);
    }
    EXPECT_EQ(CAirbandChannel::StepFromText("8.33"), Step::k833kHz);
    EXPECT_EQ(CAirbandChannel::StepFromText("8.333"), Step::k833kHz);
    EXPECT_EQ(CAirbandChannel::StepFromText("25.00"), Step::k25kHz);
    EXPECT_EQ(CAirbandChannel::StepFromText("12.50"), Step::kUnknown);
    // Nearest carrier; a 25 kHz channel wins the tie with its 8.33 kHz twin.
    EXPECT_EQ(Designator(CAirbandChannel::Nearest(123070000)), 123065000);
    EXPECT_EQ(Designator(CAirbandChannel::Nearest(121902000)), 121900000);
    EXPECT_EQ(Designator(CAirbandChannel::Nearest(113750000)), -1);
}

TEST(CSpacingChange, HoldsWhatTheNewSpacingHoldsAndListsEveryChange) {
    CM220Radio radio;
    radio.NewData();
    radio.SetChannelSpacing("25kHz");
    for (const auto& [n, mhz] : {std::pair{1, "118.025"}, std::pair{2, "118.050"},
                                 std::pair{3, "136.975"}, std::pair{4, "121.500"}}) {
        radio.SetFrequency(n, mhz);
        radio.SetAppear(n, "ON");
    }
    radio.Heal();

    // Previewed on a copy: the radio is untouched.
    const auto preview = CSpacingChange::Preview(radio, "25k/8.33kHz");
    EXPECT_EQ(radio.GetChannelSpacing(), "25kHz");
    EXPECT_EQ(radio.GetFrequency(1), "118.025");

    // The combined raster's .x20 is never used for a .x25 channel: the 8.33
    // kHz channel of the same carrier holds it.
    const auto moves = CSpacingChange::Apply(radio, "25k/8.33kHz");
    ASSERT_EQ(moves.size(), 2u);
    EXPECT_EQ(moves[0].Describe(), "channel 1: the 25 kHz channel 118.025 (carrier 118.025000 "
                                   "MHz) becomes the 8.33 kHz channel 118.030 (carrier "
                                   "118.025000 MHz), the same carrier");
    EXPECT_EQ(moves[1].channel, 3);
    EXPECT_TRUE(moves[1].sameCarrier);
    EXPECT_EQ(radio.GetFrequency(1), "118.030");
    EXPECT_EQ(radio.GetFrequency(2), "118.050");
    EXPECT_EQ(preview.size(), moves.size());
    EXPECT_EQ(preview[0].afterHz, moves[0].afterHz);

    // Back to 25kHz: 8.33 kHz channels cannot stay; they move to another carrier.
    radio.SetFrequency(5, "132.840");
    radio.SetAppear(5, "ON");
    radio.Heal();
    const auto back = CSpacingChange::Apply(radio, "25kHz");
    ASSERT_EQ(back.size(), 3u);
    EXPECT_EQ(back[2].Describe(), "channel 5: the 8.33 kHz channel 132.840 (carrier 132.841667 "
                                  "MHz) becomes the 25 kHz channel 132.850 (carrier 132.850000 "
                                  "MHz), another carrier");
    // 118.030 becomes the 25 kHz channel of its carrier, 118.025: listed all the same.
    EXPECT_EQ(back[0].afterHz, 118025000);
    EXPECT_TRUE(back[0].sameCarrier);
}

} // namespace kt
