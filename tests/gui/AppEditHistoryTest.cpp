#include "AppFrameFixture.h"

#include "CChannelCsv.h"
#include "CChannelCsvCommands.h"
#include "CEditMemoryDlg.h"
#include "CSettingSheet.h"
#include "CommandIds.h"

#include <QApplication>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <functional>
#include <vector>

namespace kt {

namespace {
using namespace CommandId;

class AppEditHistory : public AppFrameTest {
protected:
    // Channels 2 and 3 in use, channel 3 the priority channel, an opening
    // text (so that the Setting sheet's OK gives every setting back as it
    // was), opened from a file: unmodified, nothing to undo.
    void SetUp() override {
        AppFrameTest::SetUp();
        Fill(2, "119.000", "TWO");
        Fill(3, "121.500", "THREE");
        Radio().SetPriorityChannel("3");
        Radio().SetOpeningText("HELLO");
        SaveAndOpen("start.vkf");
    }

    void Select(int n) { View().SelectChannel(n); }

    // The Edit Memory command on channel n, ended with OK after typing.
    void EditMemory(int n, const QString& frequency, const QString& name) {
        Select(n);
        AnswerNextModal([frequency, name](QWidget* modal) {
            auto* dialog = qobject_cast<CEditMemoryDlg*>(modal);
            if (!dialog) {
                ADD_FAILURE() << "no Edit Memory dialog";
                modal->close();
                return;
            }
            if (!frequency.isNull())
                dialog->findChild<QLineEdit*>("frequencyEdit")->setText(frequency);
            if (!name.isNull())
                dialog->findChild<QLineEdit*>("nameEdit")->setText(name);
            dialog->findChild<QPushButton*>("okButton")->click();
        });
        Trigger(kEditMemory);
    }

    // The Common Setting command; act runs in the open sheet, then OK or Cancel.
    void Setting(const std::function<void(CSettingSheet&)>& act, bool ok = true) {
        AnswerNextModal([act, ok](QWidget* modal) {
            auto* sheet = qobject_cast<CSettingSheet*>(modal);
            if (!sheet) {
                ADD_FAILURE() << "no Setting sheet";
                modal->close();
                return;
            }
            if (act)
                act(*sheet);
            sheet->Buttons()->button(ok ? QDialogButtonBox::Ok : QDialogButtonBox::Cancel)->click();
        });
        Trigger(kCommonSetting);
    }

    static QCheckBox& BeepBox(CSettingSheet& sheet) {
        return *sheet.findChild<QCheckBox*>("operationBeepCheck");
    }

    // A channel list with channels 1 and 9, written as a file.
    QString WriteChannelList() {
        CM220Radio other;
        other.NewData();
        other.SetFrequency(1, "118.100");
        other.SetName(1, "TOWER");
        other.HealChannel(1);
        other.SetFrequency(9, "124.350");
        other.SetName(9, "ATIS");
        other.SetAppear(9, "ON");
        other.HealChannel(9);
        const std::string path = File("list.csv");
        WriteFileBytes(path, CChannelCsv::Export(other));
        return QString::fromStdString(path);
    }
};
} // namespace

TEST_F(AppEditHistory, EveryKindOfEditUndoesAndRedoesToTheExactContents) {
    EXPECT_FALSE(Enabled(kEditUndo));
    EXPECT_FALSE(Enabled(kEditRedo));
    const std::string opened = DocumentBytes(*doc_);

    const struct {
        const char* name;
        std::function<void()> edit;
    } edits[] = {
        {"Edit Memory OK", [&] { EditMemory(5, "122.800", "APP"); }},
        {"Paste",
         [&] {
             Select(2);
             Trigger(kEditCopy);
             Select(6);
             Trigger(kEditPaste);
         }},
        {"Clear",
         [&] {
             Select(3);
             Trigger(kEditClear);
         }},
        {"Delete",
         [&] {
             Select(2);
             Trigger(kEditDelete);
         }},
        {"Insert",
         [&] {
             Select(2);
             Trigger(kEditInsert);
         }},
        {"Setting sheet OK", [&] { Setting([](CSettingSheet& s) { BeepBox(s).click(); }); }},
        {"channel list import",
         [&] { ASSERT_TRUE(frame_->CsvCommands().Import(WriteChannelList()).ok); }},
    };

    std::vector<std::string> states{opened};
    for (const auto& e : edits) {
        SCOPED_TRACE(e.name);
        const std::string before = DocumentBytes(*doc_);
        const bool wasModified = doc_->IsModified();
        const std::size_t steps = doc_->History().UndoCount();
        e.edit();
        const std::string after = DocumentBytes(*doc_);
        ASSERT_NE(after, before) << "the edit changes the contents";
        EXPECT_EQ(doc_->History().UndoCount(), steps + 1) << "one step per edit";
        EXPECT_TRUE(doc_->IsModified());
        EXPECT_TRUE(Enabled(kEditUndo));
        EXPECT_FALSE(Enabled(kEditRedo));

        Trigger(kEditUndo);
        EXPECT_EQ(DocumentBytes(*doc_), before);
        EXPECT_EQ(doc_->IsModified(), wasModified);
        EXPECT_EQ(frame_->isWindowModified(), wasModified);
        EXPECT_TRUE(ListShowsTheRadio());
        EXPECT_TRUE(Enabled(kEditRedo));

        Trigger(kEditRedo);
        EXPECT_EQ(DocumentBytes(*doc_), after);
        EXPECT_TRUE(doc_->IsModified());
        EXPECT_TRUE(ListShowsTheRadio());
        EXPECT_FALSE(Enabled(kEditRedo));
        states.push_back(after);
    }

    // All the way back to the file as opened, and forward again.
    for (std::size_t i = states.size() - 1; i > 0; --i) {
        SCOPED_TRACE("back to state " + std::to_string(i - 1));
        ASSERT_TRUE(Enabled(kEditUndo));
        Trigger(kEditUndo);
        EXPECT_EQ(DocumentBytes(*doc_), states[i - 1]);
    }
    EXPECT_FALSE(Enabled(kEditUndo));
    EXPECT_FALSE(doc_->IsModified()) << "the file as it was opened";
    EXPECT_EQ(frame_->windowTitle(), "start.vkf[*] - KT-M220");
    EXPECT_FALSE(frame_->isWindowModified());
    EXPECT_TRUE(ListShowsTheRadio());
    for (std::size_t i = 1; i < states.size(); ++i)
        Trigger(kEditRedo);
    EXPECT_EQ(DocumentBytes(*doc_), states.back());
    EXPECT_TRUE(doc_->IsModified());
}

TEST_F(AppEditHistory, TheSettingSheetOpensOnTheRestoredValues) {
    bool beepAtStart = false;
    Setting([&](CSettingSheet& s) {
        beepAtStart = BeepBox(s).isChecked();
        BeepBox(s).click();
    });
    Trigger(kEditUndo);
    bool beepShown = !beepAtStart;
    Setting([&](CSettingSheet& s) { beepShown = BeepBox(s).isChecked(); }, false);
    EXPECT_EQ(beepShown, beepAtStart);
    Trigger(kEditRedo);
    Setting([&](CSettingSheet& s) { beepShown = BeepBox(s).isChecked(); }, false);
    EXPECT_EQ(beepShown, !beepAtStart);
}

TEST_F(AppEditHistory, AnEditThatChangesNothingLeavesNoStep) {
    const struct {
        const char* name;
        std::function<void()> edit;
    } edits[] = {
        {"Setting sheet Cancel",
         [&] { Setting([](CSettingSheet& s) { BeepBox(s).click(); }, false); }},
        {"Setting sheet OK unchanged", [&] { Setting({}); }},
        {"Edit Memory OK unchanged", [&] { EditMemory(2, {}, {}); }},
        {"Delete key on an empty channel",
         [&] {
             Select(10);
             QTest::keyClick(&View(), Qt::Key_Delete);
         }},
        {"import of the same list",
         [&] {
             const std::string path = File("same.csv");
             WriteFileBytes(path, CChannelCsv::Export(Radio()));
             ASSERT_TRUE(frame_->CsvCommands().Import(QString::fromStdString(path)).ok);
         }},
    };
    const std::string opened = DocumentBytes(*doc_);
    for (const auto& e : edits) {
        SCOPED_TRACE(e.name);
        e.edit();
        EXPECT_EQ(DocumentBytes(*doc_), opened);
        EXPECT_FALSE(doc_->CanUndo());
        EXPECT_FALSE(Enabled(kEditUndo));
    }
}

TEST_F(AppEditHistory, UndoingToTheSavedStateMakesTheDocumentUnmodified) {
    Select(3);
    Trigger(kEditClear);
    ASSERT_TRUE(Commands().FileSave());
    EXPECT_FALSE(doc_->IsModified());

    Trigger(kEditUndo);
    EXPECT_TRUE(doc_->IsModified()) << "the file holds channel 3 cleared";
    EXPECT_TRUE(frame_->isWindowModified());
    EXPECT_EQ(View().CellText(3, 3), "THREE");
    Trigger(kEditRedo);
    EXPECT_FALSE(doc_->IsModified()) << "back at what the file holds";
    EXPECT_FALSE(frame_->isWindowModified());
    EXPECT_EQ(View().CellText(3, 3), "");
}

TEST_F(AppEditHistory, TheKeysUndoAndRedo) {
    frame_->show();
    QApplication::setActiveWindow(frame_.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(frame_.get()));
    View().setFocus();
    Select(3);
    Trigger(kEditClear);
    const std::string cleared = DocumentBytes(*doc_);

    const struct {
        QKeyCombination key;
        bool cleared;
    } keys[] = {
        {Qt::CTRL | Qt::Key_Z, false},
        {Qt::CTRL | Qt::Key_Y, true},
        {Qt::ALT | Qt::Key_Backspace, false},
        {Qt::CTRL | Qt::SHIFT | Qt::Key_Z, true},
    };
    for (const auto& k : keys) {
        SCOPED_TRACE(QKeySequence(k.key).toString().toStdString());
        QTest::keyClick(&View(), k.key.key(), k.key.keyboardModifiers());
        EXPECT_EQ(DocumentBytes(*doc_) == cleared, k.cleared);
        EXPECT_EQ(View().CellText(3, 3), k.cleared ? "" : "THREE");
    }
}

TEST_F(AppEditHistory, NewAndOpenStartANewHistoryAndAFailedOpenKeepsIt) {
    const QString start = QString::fromStdString(File("start.vkf"));
    Select(2);
    Trigger(kEditClear);
    ASSERT_TRUE(doc_->OnNewDocument());
    EXPECT_FALSE(Enabled(kEditUndo));
    EXPECT_FALSE(Enabled(kEditRedo));

    ASSERT_TRUE(doc_->OnOpenDocument(start).ok);
    Select(2);
    Trigger(kEditClear);
    Select(3);
    Trigger(kEditClear);
    Trigger(kEditUndo);
    ASSERT_TRUE(Enabled(kEditUndo) && Enabled(kEditRedo));

    const std::string broken = File("broken.vkf");
    WriteFileBytes(broken, "22700100\r\n");
    EXPECT_FALSE(doc_->OnOpenDocument(QString::fromStdString(broken)).ok);
    EXPECT_TRUE(Enabled(kEditUndo) && Enabled(kEditRedo)) << "the document is as it was";

    ASSERT_TRUE(doc_->OnOpenDocument(start).ok);
    EXPECT_FALSE(Enabled(kEditUndo));
    EXPECT_FALSE(Enabled(kEditRedo));
}

// A frequency typed by mistake (a sign, a slip of the finger) empties the
// channel, as the dialog said it would; one Undo brings the channel back
// whole, with its name, its flags and priority scanning on it.
TEST_F(AppEditHistory, OneUndoBringsBackAChannelEmptiedByMistake) {
    for (const char* typed : {"-5", "2500", "abc"}) {
        SCOPED_TRACE(typed);
        EditMemory(3, QString::fromLatin1(typed), {});
        ASSERT_TRUE(Radio().IsChannelEmpty(3));
        ASSERT_EQ(Radio().GetPriorityScan(), "OFF");
        EXPECT_TRUE(doc_->IsModified());

        Trigger(kEditUndo);
        EXPECT_EQ(Radio().GetFrequency(3), "121.500");
        EXPECT_EQ(Radio().GetName(3), "THREE");
        EXPECT_EQ(Radio().GetPriorityChannel(), "3");
        EXPECT_EQ(Radio().GetPriorityScan(), "ON");
        EXPECT_FALSE(doc_->IsModified()) << "back where the file was opened";
        EXPECT_FALSE(Enabled(kEditUndo));
        EXPECT_TRUE(ListShowsTheRadio());
    }
}

} // namespace kt
