#include "SettingSheetDriver.h"

namespace kt {

namespace {
// Channels 4 and 9 in use besides channel 1.
void ChannelsInUse(RecordingRadio& r) {
    for (int n : {4, 9}) {
        r.SetFrequency(n, "121.5");
        r.SetAppear(n, "ON");
    }
}
} // namespace

TEST(SettingCommonPage, TheBacklightListStandsForBacklightAndDimmer) {
    struct Case {
        const char* backlight;
        const char* dimmer;
        const char* shown;
        const char* chosen; // nullptr: left as shown
        std::vector<std::string> sent;
    };
    const std::vector<Case> cases = {
        {"OFF", "HIGH", "Off", nullptr, {"COMMON.LCD_DIMMER=LOW", "COMMON.LCD_BACKLIGHT=OFF"}},
        {"OFF", "HIGH", "Off", "Low", {"COMMON.LCD_BACKLIGHT=ON", "COMMON.LCD_DIMMER=LOW"}},
        {"OFF", "LOW", "Off", "High", {"COMMON.LCD_BACKLIGHT=ON", "COMMON.LCD_DIMMER=HIGH"}},
        {"ON", "LOW", "Low", nullptr, {"COMMON.LCD_BACKLIGHT=ON", "COMMON.LCD_DIMMER=LOW"}},
        {"ON", "HIGH", "High", "Off", {"COMMON.LCD_DIMMER=LOW", "COMMON.LCD_BACKLIGHT=OFF"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.backlight) + "/" + c.dimmer + " -> " +
                     (c.chosen ? c.chosen : "kept"));
        RecordingRadio radio;
        Prepare<RecordingRadio>(radio, [&](RecordingRadio& r) {
            r.SetLcdBacklight(c.backlight);
            r.SetLcdDimmer(c.dimmer);
        });
        FakeSheetHost host(radio);
        std::string shown;
        RunSheet(
            radio, host,
            [&](CSettingSheet& sheet) {
                auto& combo = Control<QComboBox>(sheet, "lcdBacklightCombo");
                EXPECT_EQ(Items(combo), (std::vector<std::string>{"Off", "Low", "High"}));
                shown = combo.currentText().toStdString();
                if (c.chosen)
                    Choose(combo, c.chosen);
            },
            SheetEnd::Ok);
        EXPECT_EQ(shown, c.shown);
        EXPECT_EQ(Changes(radio.commands, "COMMON.LCD_"), c.sent);
        // The dimmer is asked only while the backlight is on.
        EXPECT_EQ(std::count(radio.commands.begin(), radio.commands.end(), "COMMON.LCD_DIMMER"),
                  std::string(c.backlight) == "ON" ? 1 : 0);
    }
}

TEST(SettingCommonPage, PriorityChannelListOffersOffChannelOneAndChannelsInUse) {
    // Channels 4 and 9 are in use; channel 1 is offered whether in use or not.
    struct Case {
        const char* what;
        const char* priority; // the priority channel stored, scanning on
        bool scanOff;
        bool channelOneEmpty;
        const char* shown;
        const char* chosen;
        std::vector<std::string> sent;
    };
    const std::vector<Case> cases = {
        {"a channel in use", "9", false, false, "9", nullptr, {"ON", "9"}},
        {"an empty channel is not offered", "7", false, false, "Off", nullptr, {"OFF", "Off"}},
        {"scanning off shows Off", "4", true, false, "Off", nullptr, {"OFF", "Off"}},
        {"channel 1 empty", "1", false, true, "1", nullptr, {"ON", "1"}},
        {"choosing a channel", "7", false, false, "Off", "4", {"ON", "4"}},
        {"choosing Off", "4", false, false, "4", "Off", {"OFF", "Off"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        RecordingRadio radio;
        Prepare<RecordingRadio>(radio, [&](RecordingRadio& r) {
            ChannelsInUse(r);
            r.SetPriorityChannel(c.priority);
            if (c.scanOff)
                r.SetPriorityScan("OFF");
            if (c.channelOneEmpty)
                r.SetAppear(1, "OFF");
            EXPECT_EQ(r.IsChannelEmpty(1), c.channelOneEmpty);
        });
        FakeSheetHost host(radio);
        std::vector<std::string> items;
        std::string shown;
        RunSheet(
            radio, host,
            [&](CSettingSheet& sheet) {
                auto& combo = Control<QComboBox>(sheet, "priorityChannelCombo");
                items = Items(combo);
                shown = combo.currentText().toStdString();
                if (c.chosen)
                    Choose(combo, c.chosen);
            },
            SheetEnd::Ok);
        EXPECT_EQ(items, (std::vector<std::string>{"Off", "1", "4", "9"}));
        EXPECT_EQ(shown, c.shown);
        EXPECT_EQ(Changes(radio.commands, "COMMON.SCAN_PRIO"),
                  std::vector<std::string>{"COMMON.SCAN_PRIO=" + c.sent[0]});
        EXPECT_EQ(Changes(radio.commands, "COMMON.PRIOCH"),
                  std::vector<std::string>{"COMMON.PRIOCH=" + c.sent[1]});
    }
}

TEST(SettingCommonPage, OpeningTextIsLimitedAndABlankOneTravelsAsFF) {
    struct Case {
        const char* what;
        const char* stored;
        const char* typed; // replaces the text
        const char* shown;
        const char* sent;
    };
    const std::vector<Case> cases = {
        {"kept", "TOWER", nullptr, "TOWER", "COMMON.OPENING_TEXT=TOWER"},
        {"cleared", "TOWER", "", "TOWER", "COMMON.OPENING_TEXT=\xFF"},
        {"blanks", "TOWER", "   ", "TOWER", "COMMON.OPENING_TEXT=\xFF"},
        {"too long", "", "Welcome aboard", "", "COMMON.OPENING_TEXT=Welcome"},
        {"lower case kept", "", "hi all", "", "COMMON.OPENING_TEXT=hi all"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        RecordingRadio radio;
        Prepare<RecordingRadio>(radio, [&](RecordingRadio& r) { r.SetOpeningText(c.stored); });
        FakeSheetHost host(radio);
        std::string shown;
        RunSheet(
            radio, host,
            [&](CSettingSheet& sheet) {
                auto& edit = Control<QLineEdit>(sheet, "openingTextEdit");
                shown = edit.text().toStdString();
                if (c.typed) {
                    edit.selectAll();
                    QTest::keyClick(&edit, Qt::Key_Delete);
                    QTest::keyClicks(&edit, QString::fromLatin1(c.typed));
                }
            },
            SheetEnd::Ok);
        EXPECT_EQ(shown, c.shown);
        EXPECT_EQ(Changes(radio.commands, "COMMON.OPENING_TEXT"), std::vector<std::string>{c.sent});
    }
}

} // namespace kt
