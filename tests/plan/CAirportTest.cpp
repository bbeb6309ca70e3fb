#include "AirportTableSample.h"
#include "CAirportChannels.h"
#include "CAirportData.h"
#include "CAirportTable.h"
#include "CM220Radio.h"

#include <gtest/gtest.h>

namespace kt {

namespace {
const std::string& kTable = AirportTableSample();

CAirportTable Table() {
    CAirportTable table;
    std::string error;
    EXPECT_TRUE(table.Parse(kTable, error)) << error;
    return table;
}

std::vector<CAirportFrequency> Rows(const CAirportTable& table, const std::string& query) {
    std::vector<CAirportFrequency> rows;
    for (const std::size_t i : table.Search(query))
        rows.push_back(table.Row(i));
    return rows;
}
} // namespace

TEST(CAirportTable, FindsAnAirportByIdentOrByWords) {
    const CAirportTable table = Table();
    EXPECT_EQ(table.Size(), 12u);
    EXPECT_EQ(table.InBandCount(), 11u);
    EXPECT_EQ(Rows(table, "eddf").size(), 7u);
    // Words of a description find the whole airport; every word must match.
    EXPECT_EQ(Rows(table, "Frankfurt").size(), 7u);
    EXPECT_EQ(Rows(table, "cambridge information").front().ident, "EGSC");
    EXPECT_TRUE(Rows(table, "cambridge tower").empty());
    EXPECT_TRUE(Rows(table, "  ").empty());
    // "Langen" is only DE-0006's.
    EXPECT_EQ(Rows(table, "langen").front().ident, "DE-0006");

    CAirportTable broken;
    std::string error;
    EXPECT_FALSE(broken.Parse("id,ident,frequency\n1,EDDF,118.03\n", error));
    EXPECT_NE(error.find("header"), std::string::npos);
}

TEST(CAirportChannels, NamesServicesAndHowEachFrequencyIsHeld) {
    const CAirportTable table = Table();
    std::vector<CAirportFrequency> rows;
    for (std::size_t i = 0; i < table.Size(); ++i)
        rows.push_back(table.Row(i));
    const auto candidates = CAirportChannels::Build(rows);
    using Status = CAirportChannels::Status;
    using Spacing = CAirbandChannel::Spacing;
    struct Expect {
        const char* name;
        bool tx;
        Status status;
        const char* holding25k;
    };
    const std::vector<Expect> expected = {
        {"EDDFATI", true, Status::Channel, "needs the 8.33kHz or 25k/8.33kHz spacing"},
        {"EDDFAT2", true, Status::Channel, "needs the 8.33kHz or 25k/8.33kHz spacing"},
        {"EDDFGND", false, Status::Channel, "needs the 8.33kHz or 25k/8.33kHz spacing"},
        {"EDDFTWR", false, Status::Channel, "needs the 8.33kHz or 25k/8.33kHz spacing"},
        {"EDDFTW2", false, Status::Channel, "needs the 8.33kHz or 25k/8.33kHz spacing"},
        {"EDDFTW3", false, Status::Channel, "held as it is"},
        {"EDDFVOL", true, Status::Channel, "needs the 8.33kHz or 25k/8.33kHz spacing"},
        {"0006AFI", false, Status::Channel, "held as it is"},
        {"EGSCATI", true, Status::Channel, "held as it is"},
        {"KXYZATI", true, Status::OutsideBand, "outside the radio's band"},
        {"KXYZUNI", false, Status::NoChannel,
         "no channel; nearest 123.065 (carrier 123.066667 MHz), needs the 8.33kHz or "
         "25k/8.33kHz spacing"},
        {"KXYZCTA", false, Status::NoChannel,
         "no channel; nearest 121.900 (carrier 121.900000 MHz), held as it is"},
    };
    ASSERT_EQ(candidates.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        SCOPED_TRACE(candidates[i].row.frequency);
        EXPECT_EQ(candidates[i].name, expected[i].name);
        EXPECT_EQ(candidates[i].txInhibit, expected[i].tx);
        EXPECT_EQ(candidates[i].status, expected[i].status);
        EXPECT_EQ(candidates[i].Holding(Spacing::k25kHz), expected[i].holding25k);
    }
    EXPECT_EQ(candidates[5].Holding(Spacing::k833kHz), "held by 136.505 (same carrier)");
    EXPECT_EQ(CAirportChannels::BaseName("K9", "A/D"), "K9A/D");
    // Ten of one name: the number takes as many letters as it needs.
    std::vector<CAirportChannels::Candidate> many(11);
    for (auto& c : many)
        c.name = "EDDFTWR";
    CAirportChannels::MakeNamesUnique(many);
    EXPECT_EQ(many[8].name, "EDDFTW9");
    EXPECT_EQ(many[9].name, "EDDFT10");
}

TEST(CAirportChannels, AddFillsEmptyChannelsOrChangesNothing) {
    const CAirportTable table = Table();
    auto candidates = CAirportChannels::Build(Rows(table, "EDDF"));
    candidates.back().chosen = false; // not the VOLMET
    CM220Radio radio;
    radio.NewData();
    radio.SetFrequency(3, "121.500");
    radio.SetAppear(3, "ON");
    radio.Heal();
    const std::string before = radio.GetChannelSpacing();

    // The 25kHz spacing holds no 8.33 kHz channel: nothing is added.
    auto result = CAirportChannels::Add(radio, candidates, 2, false);
    EXPECT_EQ(result.outcome, CAirportChannels::AddResult::Outcome::NeedsSpacing);
    EXPECT_TRUE(radio.IsChannelEmpty(2));
    // Too few empty channels from 17 on: nothing is added either.
    result = CAirportChannels::Add(radio, candidates, 17, true);
    EXPECT_EQ(result.outcome, CAirportChannels::AddResult::Outcome::TooFewChannels);
    EXPECT_EQ(radio.GetChannelSpacing(), before);
    EXPECT_TRUE(radio.IsChannelEmpty(17));

    result = CAirportChannels::Add(radio, candidates, 2, true);
    ASSERT_EQ(result.outcome, CAirportChannels::AddResult::Outcome::Added) << result.message;
    EXPECT_EQ(result.channels, (std::vector<int>{2, 4, 5, 6, 7, 8}));
    EXPECT_EQ(radio.GetChannelSpacing(), "25k/8.33kHz");
    EXPECT_EQ(radio.GetName(2), "EDDFATI");
    EXPECT_EQ(radio.GetFrequency(2), "118.030");
    EXPECT_EQ(radio.GetTxInhibit(2), "ON");
    EXPECT_EQ(radio.GetName(6), "EDDFTWR");
    EXPECT_EQ(radio.GetFrequency(6), "119.905");
    EXPECT_EQ(radio.GetTxInhibit(6), "OFF");
    EXPECT_EQ(radio.GetFrequency(8), "136.500");
    EXPECT_EQ(radio.GetFrequency(3), "121.500");
}

} // namespace kt
