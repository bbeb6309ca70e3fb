#include "CChannelRow.h"
#include "RecordingRadio.h"

#include <gtest/gtest.h>

#include <functional>

namespace kt {

namespace {
struct Sent {
    const char* what;
    std::function<void(CM220Radio&)> call;
    std::vector<std::string> commands;
};
} // namespace

TEST(CM220Radio, AccessorsSendExactlyTheseCommands) {
    const std::vector<Sent> cases = {
        {"prefix out of range", [](CM220Radio& r) { r.GetFrequency(21); }, {"FREQUENCY"}},
        {"name of blanks", [](CM220Radio& r) { r.SetName(3, "   "); }, {"CH.MCH.3.NAME= "}},
        {"name trimmed right", [](CM220Radio& r) { r.SetName(3, " ab\t"); }, {"CH.MCH.3.NAME= ab"}},
        {"empty comment", [](CM220Radio& r) { r.SetCloneComment(""); }, {"COMMON.CLONE_COMMENT= "}},
        {"frequency trimmed",
         [](CM220Radio& r) { r.SetFrequency(1, " 118.000 "); },
         {"CH.MCH.1.FREQUENCY=118.000"}},
        {"priority off",
         [](CM220Radio& r) { r.SetPriorityChannel("OFF"); },
         {"COMMON.SCAN_PRIO=OFF", "COMMON.PRIOCH=OFF"}},
        {"priority Off",
         [](CM220Radio& r) { r.SetPriorityChannel("Off"); },
         {"COMMON.SCAN_PRIO=OFF", "COMMON.PRIOCH=Off"}},
        {"priority empty",
         [](CM220Radio& r) { r.SetPriorityChannel(""); },
         {"COMMON.SCAN_PRIO=OFF", "COMMON.PRIOCH="}},
        {"priority 12",
         [](CM220Radio& r) { r.SetPriorityChannel("12"); },
         {"COMMON.SCAN_PRIO=ON", "COMMON.PRIOCH=12"}},
        {"opening text blank",
         [](CM220Radio& r) { r.SetOpeningText("  "); },
         {"COMMON.OPENING_TEXT=\xFF"}},
        {"opening text",
         [](CM220Radio& r) { r.SetOpeningText("Hi there "); },
         {"COMMON.OPENING_TEXT=Hi there"}},
        {"spacing",
         [](CM220Radio& r) { r.SetChannelSpacing("8.33kHz"); },
         {"COMMON.CH_SPACING=8.33kHz"}},
        {"vfo tx", [](CM220Radio& r) { r.GetVfoTxInhibit(); }, {"COMMON.VFOTX_INHIBIT"}},
        {"paste check", [](CM220Radio& r) { r.PasteChannel(7, true); }, {"CH.MCH.7.PASTE.CHECK"}},
        {"insert", [](CM220Radio& r) { r.InsertChannel(0, false); }, {"INSERT"}},
        {"empty test", [](CM220Radio& r) { r.IsChannelEmpty(20); }, {"CH.MCH.20.APPEAR"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        RecordingRadio radio;
        radio.NewData();
        radio.commands.clear();
        c.call(radio);
        EXPECT_EQ(radio.commands, c.commands);
    }
}

TEST(CM220Radio, AnswersAreConverted) {
    RecordingRadio radio;
    radio.NewData();
    EXPECT_EQ(radio.GetOpeningText(), ""); // the default image holds 0xFF
    radio.SetOpeningText("Hello");
    EXPECT_EQ(radio.GetOpeningText(), "Hello");
    radio.SetOpeningText("");
    EXPECT_EQ(radio.GetOpeningText(), "");
    EXPECT_EQ(radio.GetCloneComment(), "");
    EXPECT_EQ(radio.GetLegalMark(1), "");
    EXPECT_EQ(radio.GetLegalMark(2), "?"); // an empty channel is not legal
    EXPECT_EQ(radio.GetLegalMark(21), ""); // an empty answer is not "NG"
    EXPECT_TRUE(radio.IsChannelEmpty(2));
    EXPECT_FALSE(radio.IsChannelEmpty(21));     // only "OFF" means empty
    EXPECT_EQ(radio.PasteChannel(5, false), 0); // nothing copied yet
    EXPECT_TRUE(radio.CopyChannel(1, false));
    EXPECT_EQ(radio.PasteChannel(5, true), 1);
    EXPECT_EQ(radio.PasteChannel(1, true), 2); // channel 1 is in use: a warning
    EXPECT_EQ(radio.DeleteChannel(1, true), 0);
}

TEST(CM220Radio, IdentityCheck) {
    CM220Radio radio;
    EXPECT_EQ(radio.GetIdentity().model, 0x2270);
    EXPECT_EQ(radio.GetIdentity().revision, 0x0100);
    EXPECT_EQ(radio.GetModelName(), "VR-M220");

    CIdentityRecord reported;
    reported.model = 0x2270;
    reported.revision = 0x0101;
    EXPECT_FALSE(radio.CheckIdentity(reported, true));
    reported.revision = 0x0100;
    reported.length = 19;
    const std::string text = "abcFlying club  42!";
    std::copy(text.begin(), text.end(), reported.data.begin());
    EXPECT_TRUE(radio.CheckIdentity(reported, true));
    // Bytes 16 to 18 of the identity data stay zero until a transceiver's are taken over.
    EXPECT_EQ(radio.GetModelComment(), std::string(13, ' ') + std::string(3, '\0'));
    // Without checkOnly the data is taken over and the answer is false.
    EXPECT_FALSE(radio.CheckIdentity(reported, false));
    EXPECT_EQ(radio.GetModelComment(), "Flying club  42!");
    EXPECT_EQ(radio.GetIdentity().model, 0x2270);
}

TEST(CChannelRow, RowsShowWhatTheListShows) {
    RecordingRadio radio;
    radio.NewData();
    radio.SetFrequency(2, "121.5");
    radio.SetAppear(2, "ON");
    radio.SetName(2, "tower");
    radio.SetTxInhibit(2, "ON");
    radio.SetLockout(2, "ON");
    radio.SetPriorityChannel("2");
    radio.Heal();

    const auto row = CChannelRow::Build(radio, 2).cells;
    EXPECT_EQ(row, (std::array<std::string, 7>{"02", "Prio", "121.500", "TOWER", "Inhibit",
                                               "Lockout", ""}));

    radio.commands.clear();
    const auto empty = CChannelRow::Build(radio, 3).cells;
    EXPECT_EQ(empty, (std::array<std::string, 7>{"03", "", "", "", "", "", ""}));
    EXPECT_EQ(radio.commands, std::vector<std::string>{"CH.MCH.3.APPEAR"});

    radio.SetFrequency(4, "150");
    radio.SetAppear(4, "ON"); // not healed yet: out of band
    EXPECT_EQ(CChannelRow::Build(radio, 4).cells[2], "150.000 ?");
    radio.SetPriorityScan("OFF");
    EXPECT_EQ(CChannelRow::Build(radio, 2).cells[1], "");
}

} // namespace kt
