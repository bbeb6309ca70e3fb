#include "CWritePreview.h"
#include "CM220Radio.h"
#include "TempDir.h"

#include <gtest/gtest.h>

namespace kt {

namespace {
void UseChannel(CM220Radio& radio, int n, const std::string& frequency, const std::string& name) {
    radio.SetFrequency(n, frequency);
    radio.SetAppear(n, "ON");
    radio.SetName(n, name);
    radio.Heal();
}
} // namespace

TEST(WritePreview, NamesTheLastReadAndWhatChanges) {
    TempDir dir;
    const std::string backup = dir.File("2026-12-07_05-49-55_read.vkf");
    CM220Radio read;
    read.NewData();
    UseChannel(read, 5, "119.1", "APP");
    read.SetCloneComment("Club radio 3");
    read.SaveDataFile(backup);

    CM220Radio plan;
    plan.NewData();
    UseChannel(plan, 5, "119.1", "APP");
    plan.SetCloneComment("Club radio 3");
    plan.Heal();
    EXPECT_EQ(CWritePreview::Lines(plan, backup, "2026-12-07 05:49:55"),
              std::vector<std::string>{"This write changes nothing against the last read of the "
                                       "transceiver (2026-12-07 05:49:55, comment \"Club radio "
                                       "3\")."});

    plan.SetName(5, "DEP");
    plan.Heal();
    const std::vector<std::string> expected = {
        "This write changes, against the last read of the transceiver (2026-12-07 05:49:55, "
        "comment \"Club radio 3\"):",
        "  CH 5 Name: APP -> DEP"};
    EXPECT_EQ(CWritePreview::Lines(plan, backup, "2026-12-07 05:49:55"), expected);
}

TEST(WritePreview, SaysSoWhenNoReadIsKnownOrItDoesNotLoad) {
    TempDir dir;
    CM220Radio plan;
    plan.NewData();
    const auto none = CWritePreview::Lines(plan, "", "");
    ASSERT_EQ(none.size(), 1u);
    EXPECT_EQ(none[0].rfind("No earlier read of the transceiver is known", 0), 0u) << none[0];

    const std::string broken = dir.File("2026-12-07_05-49-55_read.vkf");
    WriteFileBytes(broken, "22700100\r\n");
    const auto unreadable = CWritePreview::Lines(plan, broken, "2026-12-07 05:49:55");
    ASSERT_EQ(unreadable.size(), 1u);
    EXPECT_NE(unreadable[0].find("does not load"), std::string::npos) << unreadable[0];
    EXPECT_NE(unreadable[0].find(broken), std::string::npos);
}

} // namespace kt
