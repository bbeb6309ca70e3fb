#include "CPlanCheck.h"
#include "CM220Radio.h"

#include <gtest/gtest.h>

namespace kt {

namespace {
using Severity = CPlanCheck::Severity;

void UseChannel(CM220Radio& radio, int n, const std::string& frequency, const std::string& name,
                bool txInhibit = false) {
    radio.SetFrequency(n, frequency);
    radio.SetAppear(n, "ON");
    radio.SetName(n, name.empty() ? " " : name);
    radio.SetTxInhibit(n, txInhibit ? "ON" : "OFF");
    radio.Heal();
}

// A plan with nothing to report: the emergency frequency and two named
// channels; channel 1, which is never empty, is one of them.
struct CleanPlan {
    CleanPlan() {
        radio.NewData();
        UseChannel(radio, 1, "121.5", "GUARD");
        UseChannel(radio, 2, "118.1", "TWR");
        UseChannel(radio, 3, "121.9", "GND");
    }
    CM220Radio radio;
};

std::vector<std::string> Lines(CM220Radio& radio) {
    std::vector<std::string> lines;
    for (const CPlanCheck::Finding& finding : CPlanCheck::Run(radio))
        lines.push_back(CPlanCheck::Describe(finding));
    return lines;
}

// The findings of one check only, as (channel, severity) pairs.
std::vector<std::pair<int, Severity>> FindingsOf(CM220Radio& radio, const std::string& check) {
    for (const CPlanCheck::Check& row : CPlanCheck::Checks())
        if (row.name == check) {
            std::vector<CPlanCheck::Finding> findings;
            row.run(CPlanSnapshot::Take(radio), findings);
            std::vector<std::pair<int, Severity>> pairs;
            for (const auto& f : findings)
                pairs.emplace_back(f.channel, f.severity);
            return pairs;
        }
    ADD_FAILURE() << "no check " << check;
    return {};
}

using Pairs = std::vector<std::pair<int, Severity>>;
} // namespace

TEST(PlanCheck, CleanPlanHasNothingToReport) {
    CleanPlan plan;
    EXPECT_TRUE(CPlanCheck::Run(plan.radio).empty()) << ::testing::PrintToString(Lines(plan.radio));
}

TEST(PlanCheck, EmergencyFrequencyMissingOrInhibited) {
    CleanPlan plan;
    UseChannel(plan.radio, 1, "121.6", "CLR");
    EXPECT_EQ(FindingsOf(plan.radio, "emergency"), (Pairs{{0, Severity::kWarning}}));
    EXPECT_EQ(Lines(plan.radio).at(0).rfind("Plan warning: The emergency frequency 121.500", 0),
              0u);

    // A neighbour of 121.500 is not the emergency frequency.
    UseChannel(plan.radio, 4, "121.525", "CTR");
    EXPECT_EQ(FindingsOf(plan.radio, "emergency").size(), 1u);

    UseChannel(plan.radio, 7, "121.5", "GUARD", true);
    EXPECT_EQ(FindingsOf(plan.radio, "emergency"), (Pairs{{7, Severity::kError}}));
    EXPECT_NE(Lines(plan.radio).at(0).find("Tx Inhibit is on"), std::string::npos);
}

TEST(PlanCheck, EmergencyDesignatorCountsInTheNarrowSpacings) {
    CM220Radio radio;
    radio.NewData();
    radio.SetChannelSpacing("8.33kHz");
    UseChannel(radio, 1, "121.505", "GUARD");
    UseChannel(radio, 2, "118.105", "TWR");
    EXPECT_TRUE(FindingsOf(radio, "emergency").empty());

    // 121.510 is the next 8.33 kHz channel: its carrier is not 121.500.
    UseChannel(radio, 1, "121.510", "GUARD");
    EXPECT_EQ(FindingsOf(radio, "emergency"), (Pairs{{0, Severity::kWarning}}));

    radio.SetChannelSpacing("25k/8.33kHz");
    UseChannel(radio, 3, "121.505", "GUARD", true);
    EXPECT_EQ(FindingsOf(radio, "emergency"), (Pairs{{3, Severity::kError}}));
}

TEST(PlanCheck, ReceiveOnlyServiceWithoutTxInhibit) {
    CleanPlan plan;
    UseChannel(plan.radio, 4, "118.025", "EDDFATI");
    UseChannel(plan.radio, 5, "118.725", "EDDFAT2");
    UseChannel(plan.radio, 6, "127.6", "VOLMET");
    UseChannel(plan.radio, 7, "126.8", "KSFOASO");
    UseChannel(plan.radio, 8, "119.9", "ATIS", true); // inhibited: fine
    UseChannel(plan.radio, 9, "120.0", "EDDFAPP");    // not a receive-only service
    UseChannel(plan.radio, 10, "120.3", "EDDMTWR");
    EXPECT_EQ(FindingsOf(plan.radio, "receive-only"), (Pairs{{4, Severity::kWarning},
                                                             {5, Severity::kWarning},
                                                             {6, Severity::kWarning},
                                                             {7, Severity::kWarning}}));
    const auto lines = Lines(plan.radio);
    EXPECT_NE(std::find(lines.begin(), lines.end(),
                        "CH 4 warning: \"EDDFATI\" looks like ATIS, a receive-only service: "
                        "switch Tx Inhibit on so that nobody transmits on it by mistake."),
              lines.end())
        << ::testing::PrintToString(lines);
}

TEST(PlanCheck, ReceiveOnlyNames) {
    EXPECT_EQ(CPlanCheck::ReceiveOnlyService("EDDFATI"), "ATIS");
    EXPECT_EQ(CPlanCheck::ReceiveOnlyService("SFOATI2"), "ATIS");
    EXPECT_EQ(CPlanCheck::ReceiveOnlyService("EDDFAT2"), "ATIS");
    EXPECT_EQ(CPlanCheck::ReceiveOnlyService("LOWWVOL"), "VOLMET");
    EXPECT_EQ(CPlanCheck::ReceiveOnlyService("KBOSAWO"), "AWOS");
    EXPECT_EQ(CPlanCheck::ReceiveOnlyService("ASOS 1"), "ASOS");
    EXPECT_EQ(CPlanCheck::ReceiveOnlyService("AWOS"), "AWOS");
    EXPECT_EQ(CPlanCheck::ReceiveOnlyService(""), "");
    EXPECT_EQ(CPlanCheck::ReceiveOnlyService("EDDFTWR"), "");
    EXPECT_EQ(CPlanCheck::ReceiveOnlyService("EDDFTW2"), "");
    // Two letters and a number only stand for a service in a full name.
    EXPECT_EQ(CPlanCheck::ReceiveOnlyService("BOAT2"), "");
}

TEST(PlanCheck, SameFrequencyTwice) {
    CleanPlan plan;
    UseChannel(plan.radio, 8, "118.1", "TWR2");
    UseChannel(plan.radio, 12, "118.1", "TWR3");
    UseChannel(plan.radio, 13, "118.125", "OTHER");
    EXPECT_EQ(FindingsOf(plan.radio, "same-frequency"),
              (Pairs{{8, Severity::kWarning}, {12, Severity::kWarning}}));
    EXPECT_EQ(Lines(plan.radio).back(),
              "CH 12 warning: 118.100 is also in channel 2: clear one of them or give it the "
              "frequency that is missing.");

    // 8.33 kHz channels apart by a designator are different frequencies.
    CM220Radio narrow;
    narrow.NewData();
    narrow.SetChannelSpacing("8.33kHz");
    UseChannel(narrow, 1, "118.005", "A");
    UseChannel(narrow, 2, "118.010", "B");
    EXPECT_TRUE(FindingsOf(narrow, "same-frequency").empty());
}

TEST(PlanCheck, ChannelInUseWithoutName) {
    CleanPlan plan;
    UseChannel(plan.radio, 2, "118.1", "");
    plan.radio.SetAppear(20, "OFF"); // an empty channel has no name to give
    plan.radio.Heal();
    EXPECT_EQ(FindingsOf(plan.radio, "unnamed"), (Pairs{{2, Severity::kNote}}));
}

TEST(PlanCheck, PriorityScanOnAnEmptyChannel) {
    CleanPlan plan;
    plan.radio.SetPriorityChannel("3");
    plan.radio.Heal();
    EXPECT_TRUE(FindingsOf(plan.radio, "priority").empty());

    plan.radio.SetPriorityChannel("9");
    plan.radio.Heal();
    EXPECT_EQ(FindingsOf(plan.radio, "priority"), (Pairs{{9, Severity::kWarning}}));

    // Priority scanning off: the channel it names does not matter.
    plan.radio.SetPriorityScan("OFF");
    plan.radio.Heal();
    EXPECT_TRUE(FindingsOf(plan.radio, "priority").empty());
}

TEST(PlanCheck, FindingsComeInTableOrderAndEveryCheckHasAName) {
    CM220Radio radio;
    radio.NewData(); // channel 1 on 118.000 without a name, no 121.500
    EXPECT_EQ(Lines(radio),
              (std::vector<std::string>{
                  "Plan warning: The emergency frequency 121.500 is in no channel: add it (as "
                  "121.505 in the 8.33kHz spacing) so that it is always one channel away.",
                  "CH 1 note: 118.000 has no name: give it one (the station and service, such as "
                  "EDDFTWR) so that the display says what it is."}));
    for (const CPlanCheck::Check& check : CPlanCheck::Checks()) {
        EXPECT_NE(std::string(check.name), "");
        EXPECT_NE(check.run, nullptr);
    }
    EXPECT_STREQ(CPlanCheck::SeverityWord(Severity::kError), "error");
}

} // namespace kt
