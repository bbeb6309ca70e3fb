#include "CEditMemoryDlg.h"
#include "EditTestSupport.h"
#include "FrequencyEntry.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

namespace kt {

namespace {
using edit_test::Prepare;
using edit_test::Sent;

// The dialog on one channel, shown, with its controls at hand.
struct OpenDialog {
    OpenDialog(RecordingRadio& radio, int channel) : dialog(radio, channel) {
        frequency = dialog.findChild<QLineEdit*>("frequencyEdit");
        name = dialog.findChild<QLineEdit*>("nameEdit");
        txInhibit = dialog.findChild<QCheckBox*>("txInhibitCheck");
        lockout = dialog.findChild<QCheckBox*>("lockoutCheck");
        ok = dialog.findChild<QPushButton*>("okButton");
        cancel = dialog.findChild<QPushButton*>("cancelButton");
        stored = dialog.findChild<QLabel*>("storedLabel");
        dialog.show();
    }
    void TypeFrequency(const QString& text) {
        frequency->selectAll();
        QTest::keyClick(frequency, Qt::Key_Delete);
        QTest::keyClicks(frequency, text);
    }
    bool FieldsEnabled() const {
        return name->isEnabled() && txInhibit->isEnabled() && lockout->isEnabled();
    }
    bool FieldsDisabled() const {
        return !name->isEnabled() && !txInhibit->isEnabled() && !lockout->isEnabled();
    }

    CEditMemoryDlg dialog;
    QLineEdit* frequency;
    QLineEdit* name;
    QCheckBox* txInhibit;
    QCheckBox* lockout;
    QPushButton* ok;
    QPushButton* cancel;
    QLabel* stored;
};

// Channel 3 holds 121.500 "THREE" with both flags on, and is the priority
// channel with priority scanning on.
void MakeThreePriorityWithFlags(RecordingRadio& radio) {
    radio.SetTxInhibit(3, "ON");
    radio.SetLockout(3, "ON");
    radio.SetPriorityChannel("3");
    radio.commands.clear();
}
} // namespace

TEST(EditMemoryDlg, EmptyChannelOpensBlankAndTypingAFrequencyEnablesTheFields) {
    RecordingRadio radio;
    Prepare(radio);
    OpenDialog d(radio, 7);
    EXPECT_EQ(d.dialog.windowTitle(), "Edit Memory ch");
    EXPECT_TRUE(d.frequency->text().isEmpty());
    EXPECT_TRUE(d.name->text().isEmpty());
    EXPECT_FALSE(d.txInhibit->isChecked());
    EXPECT_FALSE(d.lockout->isChecked());
    EXPECT_TRUE(d.FieldsDisabled());
    EXPECT_TRUE(d.frequency->isEnabled() && d.ok->isEnabled() && d.cancel->isEnabled());

    QTest::keyClicks(d.frequency, "1");
    EXPECT_TRUE(d.FieldsEnabled());
    QTest::keyClicks(d.name, "tower");
    d.lockout->click();
    // Blanks alone count as no frequency; the fields keep their values.
    d.TypeFrequency("   ");
    EXPECT_TRUE(d.FieldsDisabled());
    EXPECT_EQ(d.name->text(), "tower");
    EXPECT_TRUE(d.lockout->isChecked());
}

TEST(EditMemoryDlg, ChannelInUseOpensWithItsValuesAndLimitsTheTexts) {
    RecordingRadio radio;
    Prepare(radio);
    MakeThreePriorityWithFlags(radio);
    OpenDialog d(radio, 3);
    EXPECT_EQ(d.frequency->text(), "121.500");
    EXPECT_EQ(d.name->text(), "THREE");
    EXPECT_TRUE(d.txInhibit->isChecked());
    EXPECT_TRUE(d.lockout->isChecked());
    EXPECT_TRUE(d.FieldsEnabled());
    EXPECT_TRUE(d.ok->isDefault());

    d.name->clear();
    QTest::keyClicks(d.name, "ABCDEFGHIJ");
    EXPECT_EQ(d.name->text(), "ABCDEFG");
    d.TypeFrequency("123456789012");
    EXPECT_EQ(d.frequency->text(), "1234567890");
}

TEST(EditMemoryDlg, TabOrderFollowsTheFields) {
    RecordingRadio radio;
    Prepare(radio);
    OpenDialog d(radio, 2);
    std::vector<QString> order;
    QWidget* w = d.frequency;
    do {
        if ((w->focusPolicy() & Qt::TabFocus) && d.dialog.isAncestorOf(w))
            order.push_back(w->objectName());
        w = w->nextInFocusChain();
    } while (w != d.frequency);
    const std::vector<QString> expected = {"frequencyEdit", "nameEdit", "txInhibitCheck",
                                           "lockoutCheck",  "okButton", "cancelButton"};
    EXPECT_EQ(order, expected);
}

// The exact commands OK sends on channel 3 for what is typed as frequency.
struct OkCase {
    const char* typed;
    const char* frequencySent; // after "CH.MCH.3.FREQUENCY="
    bool empties;
};

TEST(EditMemoryDlg, OkSendsTheFieldsInOrderWithTheFrequencyRule) {
    const OkCase cases[] = {
        {"118.25", "118.25", false},
        {"1999.999", "1999.999", false},
        {" 121.5 ", "121.5", false},
        {"121,5", "121.5", false},
        {"1.2e2", "1.2e2", false},
        {"2000", "", true},
        {"2500.000", "", true},
        {"0", "", true},
        {"-121.5", "", true},
        {"abc", "", true},
        {".", "", true},
        {"inf", "", true},
        {"", "", true},
    };
    for (const OkCase& c : cases) {
        SCOPED_TRACE(c.typed);
        RecordingRadio radio;
        Prepare(radio);
        MakeThreePriorityWithFlags(radio);
        OpenDialog d(radio, 3);
        d.txInhibit->click();
        d.TypeFrequency(c.typed);
        radio.commands.clear();
        d.ok->click();

        std::vector<std::string> expected = {"CH.MCH.3.NAME=THREE", "CH.MCH.3.TXINHIBIT=OFF",
                                             "CH.MCH.3.CHLOCKOUT=ON",
                                             std::string("CH.MCH.3.FREQUENCY=") + c.frequencySent};
        if (c.empties) {
            expected.insert(expected.end(),
                            {"COMMON.SCAN_PRIO=OFF", "COMMON.PRIOCH=OFF", "CH.MCH.3.APPEAR=OFF"});
        } else {
            expected.emplace_back("CH.MCH.3.APPEAR=ON");
        }
        expected.emplace_back("CH.MCH.3.HEAL");
        EXPECT_EQ(radio.commands, expected);
        EXPECT_EQ(d.dialog.result(), QDialog::Accepted);
        EXPECT_EQ(radio.IsChannelEmpty(3), c.empties);
    }
}

TEST(EditMemoryDlg, OkOnAnOutOfRangeFrequencyEmptiesTheChannelAndStopsPriorityScanning) {
    for (const int channel : {3, 2}) {
        SCOPED_TRACE(channel); // the priority channel itself, and another one
        RecordingRadio radio;
        Prepare(radio);
        MakeThreePriorityWithFlags(radio);
        OpenDialog d(radio, channel);
        d.TypeFrequency("2500.000");
        d.ok->click();
        EXPECT_TRUE(radio.IsChannelEmpty(channel));
        EXPECT_EQ(radio.GetPriorityScan(), "OFF");
        EXPECT_TRUE(radio.IsModified());
    }
}

TEST(EditMemoryDlg, ACommaFrequencyFillsAnEmptyChannel) {
    RecordingRadio radio;
    Prepare(radio);
    OpenDialog d(radio, 9);
    d.TypeFrequency("121,5");
    QTest::keyClicks(d.name, "Apron");
    d.ok->click();
    EXPECT_FALSE(radio.IsChannelEmpty(9));
    EXPECT_EQ(radio.GetFrequency(9), "121.500");
    EXPECT_EQ(radio.GetName(9), "APRON");
}

TEST(EditMemoryDlg, DisabledFieldsAreStillSent) {
    RecordingRadio radio;
    Prepare(radio);
    MakeThreePriorityWithFlags(radio);
    OpenDialog d(radio, 3);
    d.TypeFrequency("");
    ASSERT_TRUE(d.FieldsDisabled());
    d.ok->click();
    EXPECT_TRUE(Sent(radio, "CH.MCH.3.NAME=THREE"));
    EXPECT_TRUE(Sent(radio, "CH.MCH.3.TXINHIBIT=ON"));
    EXPECT_TRUE(Sent(radio, "CH.MCH.3.CHLOCKOUT=ON"));
}

TEST(EditMemoryDlg, CancelSendsNothing) {
    RecordingRadio radio;
    Prepare(radio);
    OpenDialog d(radio, 2);
    d.TypeFrequency("2500");
    radio.commands.clear();
    d.cancel->click();
    EXPECT_TRUE(radio.commands.empty());
    EXPECT_EQ(d.dialog.result(), QDialog::Rejected);
    EXPECT_EQ(radio.GetFrequency(2), "119.000");
}

// Below the frequency the dialog says, as the user types, what the radio will
// hold: the engine's own heal, for each channel spacing.
TEST(EditMemoryDlg, SaysWhatTheRadioWillHoldAsTheUserTypes) {
    const struct {
        const char* spacing;
        const char* typed;
        const char* said;
    } cases[] = {
        {"25kHz", "1215", "stored as 136.975 (outside the airband)"},
        {"25kHz", "136.99", "stored as 136.975 (outside the airband)"},
        {"25kHz", "100", "stored as 118.000 (outside the airband)"},
        {"25kHz", "121.51", "stored as 121.500 (25 kHz channel)"},
        {"25kHz", "121.500", ""},
        {"25kHz", " 121,5 ", ""},
        {"8.33kHz", "121.500", "stored as 121.505 (8.33 kHz channel)"},
        {"8.33kHz", "121.505", ""},
        {"8.33kHz", "1215", "stored as 136.980 (outside the airband)"},
        {"25k/8.33kHz", "118.025", "stored as 118.020 (25k/8.33 kHz channel)"},
        {"25kHz", "-5", "the channel will be emptied"},
        {"25kHz", "2500", "the channel will be emptied"},
        {"25kHz", "abc", "the channel will be emptied"},
        {"25kHz", "", "the channel will be emptied"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.spacing) + " " + c.typed);
        RecordingRadio radio;
        Prepare(radio);
        radio.SetChannelSpacing(c.spacing);
        radio.SetModified(0); // heals channel 3 to the spacing
        const std::string before = radio.GetFrequency(3);
        radio.commands.clear();
        OpenDialog d(radio, 3);
        d.TypeFrequency(QString::fromLatin1(c.typed));
        EXPECT_EQ(d.stored->text(), c.said);
        // Only the copy heals: the radio itself is not touched until OK.
        EXPECT_TRUE(edit_test::Changes(radio).empty());
        EXPECT_FALSE(radio.IsModified());
        EXPECT_EQ(radio.GetFrequency(3), before);
    }
}

// What the dialog said is what OK stores; Cancel stores nothing, whatever
// was said. An empty channel left empty is no news.
TEST(EditMemoryDlg, WhatItSaysIsWhatOkStores) {
    RecordingRadio radio;
    Prepare(radio);
    radio.SetChannelSpacing("8.33kHz");
    {
        OpenDialog d(radio, 9);
        EXPECT_EQ(d.stored->text(), "");
        d.TypeFrequency("3");
        EXPECT_EQ(d.stored->text(), "stored as 118.005 (outside the airband)");
        d.TypeFrequency("");
        EXPECT_EQ(d.stored->text(), "") << "channel 9 is empty and stays so";
        d.TypeFrequency("136.975");
        EXPECT_EQ(d.stored->text(), "stored as 136.980 (8.33 kHz channel)");
        d.ok->click();
        EXPECT_EQ(radio.GetFrequency(9), "136.980");
    }
    {
        const std::string before = radio.GetFrequency(2);
        OpenDialog d(radio, 2);
        d.TypeFrequency("0");
        EXPECT_EQ(d.stored->text(), "the channel will be emptied");
        d.cancel->click();
        EXPECT_EQ(radio.GetFrequency(2), before);
        EXPECT_FALSE(radio.IsChannelEmpty(2));
    }
}

TEST(FrequencyEntry, OnlyADecimalNumberCountsWhateverTheLocale) {
    const struct {
        const char* text;
        double value;
    } cases[] = {{"  +12.5xyz", 12.5}, {".5", 0.5},   {"1e", 1.0},         {"2E-1", 0.2},
                 {"nan", 0.0},         {"0x10", 0.0}, {"1e999", HUGE_VAL}, {"12,5", 12.0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(LeadingDecimalNumber(c.text), c.value);
    }
}

} // namespace kt
