#include "CChannelEditCommands.h"
#include "EditTestSupport.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kt {

namespace {
using edit_test::BoxAnswerer;
using edit_test::Changes;
using edit_test::FakeChannelListHost;
using edit_test::FillLastChannel;
using edit_test::ModalAnswerer;
using edit_test::Prepare;
using edit_test::Sent;

// The commands over a prepared radio (channel 1 the default 118.000, channels
// 2 and 3 in use, the rest empty) and a host with no row selected.
struct Fixture {
    Fixture() : host(radio), commands(radio, host) { Prepare(radio); }

    // Channel n as the list would show it.
    std::string ChannelText(int n) {
        return radio.IsChannelEmpty(n) ? "" : radio.GetFrequency(n) + " " + radio.GetName(n);
    }
    void SetPriority(int channel) {
        radio.SetPriorityChannel(std::to_string(channel));
        radio.commands.clear();
    }

    RecordingRadio radio;
    FakeChannelListHost host;
    CChannelEditCommands commands;
};

void ExpectBox(const edit_test::SeenBox& seen, const QString& text, QMessageBox::Icon icon,
               QMessageBox::StandardButtons buttons) {
    EXPECT_EQ(seen.title, "KT-M220");
    EXPECT_EQ(seen.text, text);
    EXPECT_EQ(seen.icon, icon);
    EXPECT_EQ(seen.buttons, buttons);
}
} // namespace

TEST(ChannelEditCommands, WithoutASelectionTheEditsActOnChannelOne) {
    Fixture f;
    EXPECT_TRUE(f.commands.CanCopy());
    EXPECT_FALSE(f.commands.CanPaste()); // nothing copied yet
    EXPECT_FALSE(f.commands.CanClear());
    EXPECT_FALSE(f.commands.CanDelete());
    EXPECT_FALSE(f.commands.CanInsert());
    const std::vector<std::string> checks = {"CH.MCH.1.COPY.CHECK", "CH.MCH.1.PASTE.CHECK",
                                             "CH.MCH.1.CLEAR.CHECK", "CH.MCH.1.DELETE.CHECK",
                                             "CH.MCH.1.INSERT.CHECK"};
    EXPECT_EQ(f.radio.commands, checks);

    // Copy channel 3 and paste it over channel 1, which is in use.
    f.host.selected = 3;
    QSignalSpy edited(&f.commands, &CChannelEditCommands::ChannelsEdited);
    f.radio.commands.clear();
    f.commands.Copy();
    EXPECT_EQ(Changes(f.radio), std::vector<std::string>{"CH.MCH.3.COPY"}); // no row refreshed
    EXPECT_EQ(edited.count(), 0);
    f.host.selected = 0;
    f.radio.commands.clear();
    BoxAnswerer yes(QMessageBox::Yes);
    f.commands.Paste();
    ASSERT_TRUE(yes.Shown());
    EXPECT_EQ(Changes(f.radio), (std::vector<std::string>{"CH.MCH.1.PASTE", "<row 1>"}));
    EXPECT_EQ(f.ChannelText(1), "121.500 THREE");
}

TEST(ChannelEditCommands, EditMemoryWithoutASelectionOnlySaysSo) {
    Fixture f;
    BoxAnswerer ok(QMessageBox::Ok);
    f.commands.EditMemory();
    ASSERT_TRUE(ok.Shown());
    ExpectBox(ok.seen, "No items were selected", QMessageBox::NoIcon, QMessageBox::Ok);
    EXPECT_TRUE(f.radio.commands.empty());
}

TEST(ChannelEditCommands, EditMemoryRefreshesTheEditedRowOnlyAfterOk) {
    Fixture f;
    f.host.selected = 6;
    QSignalSpy edited(&f.commands, &CChannelEditCommands::ChannelsEdited);
    {
        ModalAnswerer cancel([](QWidget* modal) {
            modal->findChild<QLineEdit*>("frequencyEdit")->setText("130.000");
            modal->findChild<QPushButton*>("cancelButton")->click();
        });
        f.commands.EditMemory();
        ASSERT_TRUE(cancel.Shown());
    }
    EXPECT_TRUE(Changes(f.radio).empty());
    EXPECT_EQ(edited.count(), 0);

    ModalAnswerer ok([](QWidget* modal) {
        EXPECT_EQ(modal->windowTitle(), "Edit Memory ch");
        auto* frequency = modal->findChild<QLineEdit*>("frequencyEdit");
        QTest::keyClicks(frequency, "130.000");
        QTest::keyClicks(modal->findChild<QLineEdit*>("nameEdit"), "ops");
        modal->findChild<QPushButton*>("okButton")->click();
    });
    f.commands.EditMemory();
    ASSERT_TRUE(ok.Shown());
    EXPECT_EQ(f.radio.commands.back(), "<row 6>");
    EXPECT_EQ(f.ChannelText(6), "130.000 OPS");
    EXPECT_EQ(edited.count(), 1);
    EXPECT_TRUE(f.radio.IsModified());
}

TEST(ChannelEditCommands, PasteOntoAChannelInUseAsksFirst) {
    Fixture f;
    f.host.selected = 3;
    f.commands.Copy();
    f.host.selected = 2;
    f.radio.commands.clear();
    {
        BoxAnswerer no(QMessageBox::No);
        f.commands.Paste();
        ASSERT_TRUE(no.Shown());
        ExpectBox(no.seen, " Overwite here ?    ", QMessageBox::Warning,
                  QMessageBox::Yes | QMessageBox::No);
    }
    EXPECT_TRUE(Changes(f.radio).empty());
    EXPECT_EQ(f.ChannelText(2), "119.000 TWO");

    // An empty channel takes the paste without a question.
    f.host.selected = 8;
    f.radio.commands.clear();
    f.commands.Paste();
    EXPECT_EQ(Changes(f.radio), (std::vector<std::string>{"CH.MCH.8.PASTE", "<row 8>"}));
    EXPECT_EQ(f.ChannelText(8), "121.500 THREE");
}

TEST(ChannelEditCommands, InsertWhileTheLastChannelIsInUseChangesNothing) {
    Fixture f;
    FillLastChannel(f.radio);
    f.SetPriority(3);
    f.radio.SetModified(0);
    f.radio.commands.clear();
    f.host.selected = 2;
    ASSERT_TRUE(f.commands.CanInsert()); // the engine warns; the command itself says no
    BoxAnswerer ok(QMessageBox::Ok);
    f.commands.Insert();
    ASSERT_TRUE(ok.Shown());
    ExpectBox(ok.seen, " The last CH is not blank. Cannot insert a blank channel.",
              QMessageBox::NoIcon, QMessageBox::Ok);
    EXPECT_TRUE(Changes(f.radio).empty());
    EXPECT_EQ(f.radio.GetPriorityScan(), "ON");
    EXPECT_EQ(f.ChannelText(2), "119.000 TWO");
    EXPECT_FALSE(f.radio.IsModified());
}

TEST(ChannelEditCommands, DeleteAndInsertSwitchPriorityOffAndRebuildEveryRow) {
    const struct {
        const char* name;
        void (CChannelEditCommands::*run)();
        const char* edit;
        const char* channelTwoAfter;
    } cases[] = {
        {"Delete", &CChannelEditCommands::Delete, "CH.MCH.2.DELETE", "121.500 THREE"},
        {"Insert", &CChannelEditCommands::Insert, "CH.MCH.2.INSERT", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Fixture f;
        f.SetPriority(5); // not the channel edited
        f.host.selected = 2;
        QSignalSpy edited(&f.commands, &CChannelEditCommands::ChannelsEdited);
        (f.commands.*c.run)();

        // Delete switches priority off after the edit, Insert before it; both
        // refresh under the wait cursor.
        std::vector<std::string> expected = {"COMMON.SCAN_PRIO=OFF", "COMMON.PRIOCH=OFF"};
        const bool isDelete = std::string(c.name) == "Delete";
        expected.insert(isDelete ? expected.begin() : expected.end(), c.edit);
        expected.insert(expected.end(), {"<row 2 wait>", "<all rows wait>"});
        EXPECT_EQ(Changes(f.radio), expected);
        EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
        EXPECT_EQ(f.radio.GetPriorityScan(), "OFF");
        EXPECT_EQ(f.ChannelText(2), c.channelTwoAfter);
        EXPECT_EQ(edited.count(), 1);
    }
}

TEST(ChannelEditCommands, ClearDeleteAndInsertAreDisabledOnChannelOne) {
    Fixture f;
    f.host.selected = 1;
    EXPECT_FALSE(f.commands.CanClear());
    EXPECT_FALSE(f.commands.CanDelete());
    EXPECT_FALSE(f.commands.CanInsert());
    EXPECT_TRUE(f.commands.CanEditMemory());
    f.radio.commands.clear();
    // Chosen anyway (a stale menu item), they do nothing.
    f.commands.Clear();
    f.commands.Delete();
    f.commands.Insert();
    EXPECT_TRUE(Changes(f.radio).empty());

    f.host.selected = 2;
    EXPECT_TRUE(f.commands.CanClear());
    EXPECT_TRUE(f.commands.CanDelete());
    EXPECT_TRUE(f.commands.CanInsert());
}

TEST(ChannelEditCommands, TheDeleteKeyClearsWithoutAskingAndStillDropsThePriority) {
    Fixture f;
    f.SetPriority(1);
    f.host.selected = 1;
    f.commands.ClearFromKey();
    EXPECT_EQ(Changes(f.radio), (std::vector<std::string>{"CH.MCH.1.CLEAR", "COMMON.SCAN_PRIO=OFF",
                                                          "COMMON.PRIOCH=OFF", "<row 1>"}));
    EXPECT_FALSE(Sent(f.radio, "CH.MCH.1.CLEAR.CHECK"));
    EXPECT_EQ(f.ChannelText(1), "118.000 "); // the engine refused to clear it
    EXPECT_EQ(f.radio.GetPriorityScan(), "OFF");
}

TEST(ChannelEditCommands, ClearDropsThePriorityOnlyOnThePriorityChannel) {
    for (const int priority : {3, 2}) {
        SCOPED_TRACE(priority);
        Fixture f;
        f.SetPriority(priority);
        f.host.selected = 3;
        f.commands.Clear();
        EXPECT_TRUE(f.radio.IsChannelEmpty(3));
        EXPECT_EQ(f.radio.GetPriorityScan(), priority == 3 ? "OFF" : "ON");
        EXPECT_EQ(Changes(f.radio).back(), "<row 3>");
    }
}

// Emptying any channel switches priority scanning off; the row that carried
// the "Prio" mark must be drawn again, or the list keeps showing a priority
// the saved file no longer has.
TEST(ChannelEditCommands, EmptyingAChannelAlsoRefreshesTheRowThatCarriedThePriorityMark) {
    Fixture f;
    f.SetPriority(3);
    f.host.selected = 2;
    ModalAnswerer ok([](QWidget* modal) {
        modal->findChild<QLineEdit*>("frequencyEdit")->clear();
        modal->findChild<QPushButton*>("okButton")->click();
    });
    f.commands.EditMemory();
    ASSERT_TRUE(ok.Shown());
    EXPECT_EQ(f.radio.GetPriorityScan(), "OFF");
    const auto& sent = f.radio.commands;
    EXPECT_NE(std::find(sent.begin(), sent.end(), "<row 2>"), sent.end());
    EXPECT_NE(std::find(sent.begin(), sent.end(), "<row 3>"), sent.end());
}

} // namespace kt
