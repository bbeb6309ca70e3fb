#include "SettingSheetDriver.h"

namespace kt {

TEST(SettingAdvancedPage, VfoTxEnableShowsTheInverseOfTheInhibit) {
    struct Case {
        const char* inhibit;
        bool shown;
        bool click;
        const char* sent;
    };
    const std::vector<Case> cases = {
        {"ENABLE", false, false, "COMMON.VFOTX_INHIBIT=ENABLE"},
        {"ENABLE", false, true, "COMMON.VFOTX_INHIBIT=DISABLE"},
        {"DISABLE", true, false, "COMMON.VFOTX_INHIBIT=DISABLE"},
        {"DISABLE", true, true, "COMMON.VFOTX_INHIBIT=ENABLE"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.inhibit) + (c.click ? ", clicked" : ""));
        RecordingRadio radio;
        Prepare<RecordingRadio>(radio, [&](RecordingRadio& r) { r.SetVfoTxInhibit(c.inhibit); });
        FakeSheetHost host(radio);
        host.startPage = 1;
        bool shown = !c.shown;
        RunSheet(
            radio, host,
            [&](CSettingSheet& sheet) {
                auto& box = Control<QCheckBox>(sheet, "vfoTxCheck");
                shown = box.isChecked();
                if (c.click)
                    box.click();
            },
            SheetEnd::Ok);
        EXPECT_EQ(shown, c.shown);
        EXPECT_EQ(Changes(radio.commands, "COMMON.VFOTX_INHIBIT"),
                  std::vector<std::string>{c.sent});
    }
}

TEST(SettingAdvancedPage, ASpacingOutsideTheTwoSingleOnesCountsAsCombined) {
    struct Case {
        const char* answer;
        const char* shown;
    };
    const std::vector<Case> cases = {
        {"8.33kHz", "8.33kHz"}, {"25kHz", "25kHz"},       {"25k/8.33kHz", "25k/8.33kHz"},
        {"", "25k/8.33kHz"},    {"25KHZ", "25k/8.33kHz"}, {"12.5kHz", "25k/8.33kHz"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string("answer '") + c.answer + "'");
        AnsweringRadio radio;
        Prepare(radio);
        radio.answers["COMMON.CH_SPACING"] = c.answer;
        FakeSheetHost host(radio);
        host.startPage = 1;
        std::string shown;
        std::vector<std::string> items;
        RunSheet(
            radio, host,
            [&](CSettingSheet& sheet) {
                auto& combo = Control<QComboBox>(sheet, "channelSpacingCombo");
                items = Items(combo);
                shown = combo.currentText().toStdString();
            },
            SheetEnd::Ok);
        EXPECT_EQ(items, (std::vector<std::string>{"8.33kHz", "25kHz", "25k/8.33kHz"}));
        EXPECT_EQ(shown, c.shown);
        EXPECT_EQ(Changes(radio.commands, "COMMON.CH_SPACING"),
                  std::vector<std::string>{std::string("COMMON.CH_SPACING=") + c.shown});
    }
}

TEST(SettingAdvancedPage, CloneCommentTakesAtMostSixteenCharacters) {
    struct Case {
        const char* typed;
        const char* sent;
    };
    const std::vector<Case> cases = {
        {"Flying club of the north", "COMMON.CLONE_COMMENT=Flying club of t"},
        {"", "COMMON.CLONE_COMMENT= "},
        {"Club  ", "COMMON.CLONE_COMMENT=Club"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        RecordingRadio radio;
        Prepare<RecordingRadio>(radio, [](RecordingRadio& r) { r.SetCloneComment("Old"); });
        FakeSheetHost host(radio);
        host.startPage = 1;
        std::string shown;
        RunSheet(
            radio, host,
            [&](CSettingSheet& sheet) {
                auto& edit = Control<QLineEdit>(sheet, "cloneCommentEdit");
                shown = edit.text().toStdString();
                edit.selectAll();
                QTest::keyClick(&edit, Qt::Key_Delete);
                QTest::keyClicks(&edit, QString::fromLatin1(c.typed));
                EXPECT_LE(edit.text().size(), 16);
            },
            SheetEnd::Ok);
        EXPECT_EQ(shown, "Old");
        EXPECT_EQ(Changes(radio.commands, "COMMON.CLONE_COMMENT"),
                  std::vector<std::string>{c.sent});
    }
}

} // namespace kt
