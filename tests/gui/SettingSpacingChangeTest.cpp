#include "SettingSheetDriver.h"
#include "SpacingChangeQuestion.h"

namespace kt {

namespace {
// Channel 4 holds the 8.33 kHz channel 132.840 in the 8.33kHz spacing.
void PreparePlan(RecordingRadio& radio) {
    Prepare<RecordingRadio>(radio, [](RecordingRadio& r) {
        r.SetChannelSpacing("8.33kHz");
        r.SetFrequency(4, "132.840");
        r.SetAppear(4, "ON");
        r.Heal();
    });
}

void ChooseSpacing(CSettingSheet& sheet, const char* spacing) {
    ClickTab(sheet, 1);
    Choose(Control<QComboBox>(sheet, "channelSpacingCombo"), spacing);
}

// Answers the question as set and records what it was asked.
struct Answer {
    explicit Answer(bool yes) {
        SetSpacingChangeAnswerer([this, yes](const std::string& spacing,
                                             const std::vector<CSpacingChange::Move>& moves) {
            asked = SpacingChangeText(spacing, moves);
            if (!yes) // back in the sheet: the user cancels it then
                QTimer::singleShot(0, [] {
                    if (auto* sheet =
                            qobject_cast<CSettingSheet*>(QApplication::activeModalWidget()))
                        sheet->Buttons()->button(QDialogButtonBox::Cancel)->click();
                });
            return yes;
        });
    }
    ~Answer() { SetSpacingChangeAnswerer({}); }
    std::string asked;
};
} // namespace

TEST(SettingSheet, ASpacingChangeThatMovesChannelsIsAskedFirst) {
    {
        SCOPED_TRACE("No: back to the sheet, and nothing changes");
        RecordingRadio radio;
        PreparePlan(radio);
        FakeSheetHost host(radio);
        Answer answer(false);
        EXPECT_FALSE(RunSheet(
            radio, host, [](CSettingSheet& s) { ChooseSpacing(s, "25kHz"); }, SheetEnd::Ok));
        EXPECT_NE(answer.asked.find("channel 4: the 8.33 kHz channel 132.840 (carrier 132.841667 "
                                    "MHz) becomes the 25 kHz channel 132.850 (carrier 132.850000 "
                                    "MHz), another carrier"),
                  std::string::npos)
            << answer.asked;
        EXPECT_EQ(radio.GetChannelSpacing(), "8.33kHz");
        EXPECT_EQ(radio.GetFrequency(4), "132.840");
        EXPECT_FALSE(host.modified);
    }
    {
        SCOPED_TRACE("Yes: changed as listed");
        RecordingRadio radio;
        PreparePlan(radio);
        FakeSheetHost host(radio);
        Answer answer(true);
        EXPECT_TRUE(RunSheet(
            radio, host, [](CSettingSheet& s) { ChooseSpacing(s, "25kHz"); }, SheetEnd::Ok));
        EXPECT_FALSE(answer.asked.empty());
        EXPECT_EQ(radio.GetChannelSpacing(), "25kHz");
        EXPECT_EQ(radio.GetFrequency(4), "132.850");
    }
    {
        SCOPED_TRACE("25kHz to the combined spacing: .x25 stays on its carrier as .x30");
        RecordingRadio radio;
        Prepare<RecordingRadio>(radio, [](RecordingRadio& r) {
            r.SetFrequency(4, "132.825");
            r.SetAppear(4, "ON");
            r.Heal();
        });
        FakeSheetHost host(radio);
        Answer answer(true);
        EXPECT_TRUE(RunSheet(
            radio, host, [](CSettingSheet& s) { ChooseSpacing(s, "25k/8.33kHz"); }, SheetEnd::Ok));
        EXPECT_NE(answer.asked.find("132.830 (carrier 132.825000 MHz), the same carrier"),
                  std::string::npos)
            << answer.asked;
        EXPECT_EQ(radio.GetFrequency(4), "132.830");
    }
    {
        SCOPED_TRACE("a change that moves nothing is not asked");
        RecordingRadio radio;
        PreparePlan(radio);
        FakeSheetHost host(radio);
        Answer answer(false);
        EXPECT_TRUE(RunSheet(
            radio, host, [](CSettingSheet& s) { ChooseSpacing(s, "25k/8.33kHz"); }, SheetEnd::Ok));
        EXPECT_TRUE(answer.asked.empty());
        EXPECT_EQ(radio.GetFrequency(4), "132.840");
    }
}

} // namespace kt
