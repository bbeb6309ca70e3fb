#include "CImageComparison.h"
#include "CM220Radio.h"

#include <gtest/gtest.h>

namespace kt {

namespace {
std::vector<std::string> Lines(CM220Radio& a, CM220Radio& b) {
    std::vector<std::string> lines;
    for (const auto& d : CImageComparison::Compare(a, b))
        lines.push_back(CImageComparison::Describe(d));
    return lines;
}

void UseChannel(CM220Radio& radio, int n, const std::string& frequency, const std::string& name) {
    radio.SetFrequency(n, frequency);
    radio.SetAppear(n, "ON");
    radio.SetName(n, name);
    radio.Heal();
}
} // namespace

TEST(ImageComparison, EqualImagesHaveNoDifference) {
    CM220Radio a;
    CM220Radio b;
    a.NewData();
    b.NewData();
    UseChannel(a, 4, "118.1", "TWR");
    UseChannel(b, 4, "118.1", "TWR");
    EXPECT_TRUE(CImageComparison::Compare(a, b).empty());
}

TEST(ImageComparison, ChannelsThenSettingsInTheWordsOfShow) {
    CM220Radio a;
    CM220Radio b;
    a.NewData();
    b.NewData();
    UseChannel(a, 3, "121.5", "GUARD");
    UseChannel(b, 3, "121.5", "TOWER");
    UseChannel(b, 12, "118.1", "TWR");
    b.SetTxInhibit(12, "ON");
    b.SetBeep("OFF");
    b.SetCloneComment("Club radio");
    b.Heal();
    const std::vector<std::string> expected = {
        "CH 3 Name: GUARD -> TOWER",  "CH 12 Frequency: (blank) -> 118.100",
        "CH 12 Name: (blank) -> TWR", "CH 12 Tx Inhibit: (blank) -> Inhibit",
        "Operation Beep: [x] -> [ ]", "Clone Comment: (blank) -> Club radio",
    };
    EXPECT_EQ(Lines(a, b), expected);

    // Each difference carries its channel and both values apart from the text.
    const auto differences = CImageComparison::Compare(b, a);
    ASSERT_EQ(differences.size(), expected.size());
    EXPECT_EQ(differences[0].channel, 3);
    EXPECT_EQ(differences[0].property, "Name");
    EXPECT_EQ(differences[0].first, "TOWER");
    EXPECT_EQ(differences[0].second, "GUARD");
    EXPECT_EQ(differences[4].channel, 0);
}

TEST(ImageComparison, ValuesTheSheetHidesStillCount) {
    CM220Radio a;
    CM220Radio b;
    a.NewData();
    b.NewData();
    UseChannel(a, 5, "118.1", "TWR");
    UseChannel(b, 5, "118.1", "TWR");
    a.SetPriorityChannel("5");
    b.SetPriorityChannel("1");
    a.SetLcdDimmer("HIGH");
    b.SetLcdDimmer("LOW");
    for (CM220Radio* radio : {&a, &b}) {
        radio->SetPriorityScan("OFF");
        radio->SetLcdBacklight("OFF");
        radio->Heal();
    }
    const std::vector<std::string> expected = {
        "LCD Backlight: Off (dimmer High) -> Off (dimmer Low)",
        "Priority CH: Off (channel 5) -> Off (channel 1)",
    };
    EXPECT_EQ(Lines(a, b), expected);
}

} // namespace kt
