#include "CKTM220View.h"
#include "CSettingsStore.h"
#include "RecordingRadio.h"
#include "ViewTempSettings.h"

#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QFile>
#include <QHeaderView>
#include <QMainWindow>
#include <QMenu>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <map>
#include <optional>
#include <string>

namespace kt {

namespace {
// A recording radio that gives scripted answers to chosen commands and the
// engine's own answers to all others.
class ScriptedRadio : public RecordingRadio {
public:
    std::string Command(std::string_view command) override {
        const auto answer = answers.find(std::string(command));
        if (answer == answers.end())
            return RecordingRadio::Command(command);
        commands.emplace_back(command);
        return answer->second;
    }
    std::map<std::string, std::string> answers;
};

QString Cell(const CKTM220View& view, int channel, int column) {
    return view.CellText(channel, column);
}

// Channels 2 and 3 in use besides the new document's channel 1.
void FillChannels(RecordingRadio& radio) {
    radio.SetFrequency(2, "119.100");
    radio.SetName(2, "TOWER");
    radio.SetTxInhibit(2, "ON");
    radio.SetAppear(2, "ON");
    radio.HealChannel(2);
    radio.SetFrequency(3, "121.500");
    radio.SetName(3, "GUARD");
    radio.SetLockout(3, "ON");
    radio.SetAppear(3, "ON");
    radio.HealChannel(3);
}

class ViewChannelList : public ::testing::Test {
protected:
    ViewChannelList() { radio.NewData(); }
    ViewTempSettings settings;
    ScriptedRadio radio;
};

TEST_F(ViewChannelList, NewDocumentShowsChannelOneAndNumbersOnly) {
    CKTM220View view(radio);
    ASSERT_EQ(view.model()->rowCount(), 20);
    ASSERT_EQ(view.model()->columnCount(), 7);
    const std::array<QString, 7> first{"01", "", "118.000", "", "", "", ""};
    for (int column = 0; column < 7; ++column)
        EXPECT_EQ(Cell(view, 1, column), first[static_cast<std::size_t>(column)]) << column;
    for (int channel = 2; channel <= 20; ++channel) {
        SCOPED_TRACE(channel);
        EXPECT_EQ(Cell(view, channel, 0), QString::asprintf("%02d", channel));
        for (int column = 1; column < 7; ++column)
            EXPECT_TRUE(Cell(view, channel, column).isEmpty()) << column;
    }
}

TEST_F(ViewChannelList, ColumnTitlesAndAlignment) {
    CKTM220View view(radio);
    const std::array<QString, 7> titles{"CH",         "Prio",           "Frequency", "Name",
                                        "Tx Inhibit", "Memory Lockout", "  "};
    for (int column = 0; column < 7; ++column) {
        SCOPED_TRACE(column);
        EXPECT_EQ(view.model()->headerData(column, Qt::Horizontal).toString(),
                  titles[static_cast<std::size_t>(column)]);
        const auto align = Qt::Alignment(
            view.model()->headerData(column, Qt::Horizontal, Qt::TextAlignmentRole).toInt());
        EXPECT_EQ(align & Qt::AlignHorizontal_Mask, column == 0 ? Qt::AlignLeft : Qt::AlignRight);
    }
}

TEST_F(ViewChannelList, FilledChannelsShowTheirCells) {
    FillChannels(radio);
    CKTM220View view(radio);
    EXPECT_EQ(Cell(view, 2, 2), "119.100");
    EXPECT_EQ(Cell(view, 2, 3), "TOWER");
    EXPECT_EQ(Cell(view, 2, 4), "Inhibit");
    EXPECT_EQ(Cell(view, 2, 5), "");
    EXPECT_EQ(Cell(view, 3, 3), "GUARD");
    EXPECT_EQ(Cell(view, 3, 4), "");
    EXPECT_EQ(Cell(view, 3, 5), "Lockout");
}

TEST_F(ViewChannelList, EmptyChannelAsksOnlyWhetherItAppears) {
    CKTM220View view(radio);
    radio.commands.clear();
    view.RefreshChannel(5);
    EXPECT_EQ(radio.commands, std::vector<std::string>{"CH.MCH.5.APPEAR"});

    radio.commands.clear();
    view.RefreshChannel(0);
    view.RefreshChannel(21);
    EXPECT_TRUE(radio.commands.empty());
}

TEST_F(ViewChannelList, FullRefreshAsksEveryRowBeforeShowingAny) {
    CKTM220View view(radio);
    radio.commands.clear();
    // A changed answer is seen by the next refresh, for every row.
    radio.answers["CH.MCH.7.APPEAR"] = "ON";
    radio.answers["CH.MCH.7.FREQUENCY"] = "120.000";
    radio.answers["CH.MCH.7.ISLEGAL"] = "OK";
    view.RefreshAllRows();
    EXPECT_EQ(Cell(view, 7, 2), "120.000");
    std::size_t appears = 0;
    for (const std::string& command : radio.commands)
        appears += command.ends_with(".APPEAR") ? 1 : 0;
    EXPECT_EQ(appears, 20u);
    EXPECT_EQ(radio.commands.front(), "CH.MCH.1.APPEAR");
}

TEST_F(ViewChannelList, IllegalFrequencyEndsInQuestionMark) {
    radio.answers["CH.MCH.1.ISLEGAL"] = "NG";
    CKTM220View view(radio);
    EXPECT_EQ(Cell(view, 1, 2), "118.000 ?");
    radio.answers["CH.MCH.1.ISLEGAL"] = "OK";
    view.RefreshChannel(1);
    EXPECT_EQ(Cell(view, 1, 2), "118.000");
}

TEST_F(ViewChannelList, PrioMarkOnlyAtPriorityChannelWhilePriorityScanIsOn) {
    FillChannels(radio);
    struct Case {
        const char* priorityChannel;
        const char* priorityScan;
        int markedChannel; // 0: no row shows "Prio"
    };
    const Case cases[] = {
        {"3", "ON", 3},   {"3", "OFF", 0},
        {"2", "ON", 2},   {"5", "ON", 0}, // an empty channel shows no mark
        {"OFF", "ON", 0}, {"03", "ON", 3},
    };
    CKTM220View view(radio);
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.priorityChannel) + " / " + c.priorityScan);
        radio.answers["COMMON.PRIOCH"] = c.priorityChannel;
        radio.answers["COMMON.SCAN_PRIO"] = c.priorityScan;
        view.RefreshAllRows();
        for (int channel = 1; channel <= 20; ++channel)
            EXPECT_EQ(Cell(view, channel, 1), channel == c.markedChannel ? "Prio" : "") << channel;
    }
}

TEST_F(ViewChannelList, SavedColumnWidthsAreDefaultedAndClamped) {
    // The table's defaults, widened where the title does not fit in the font
    // in use; the last column's default is always clamped.
    const std::array<int, 7> table{30, 50, 100, 100, 90, 90, 30000};
    constexpr int D = -1; // the column's default
    using Widths = std::array<std::optional<int>, 7>;
    struct Case {
        const char* name;
        Widths saved; // no value: no entry
        std::array<int, 7> expected;
    };
    const Case cases[] = {
        {"none saved", Widths{}, {D, D, D, D, D, D, 400}},
        {"zero", {0, 0, 0, 0, 0, 0, 0}, {D, D, D, D, D, D, 400}},
        {"clamped", {5, 1000, 19, 20, 400, 401, 250}, {20, 400, 20, 20, 400, 400, 250}},
        {"negative", {-5, 60, 61, 62, 63, 64, 65}, {20, 60, 61, 62, 63, 64, 65}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ViewTempSettings fresh;
        {
            CSettingsStore store;
            for (int column = 0; column < 7; ++column)
                if (const auto saved = c.saved[static_cast<std::size_t>(column)])
                    store.WriteInt(SettingsKey::kColumnSection,
                                   QStringLiteral("Width%1").arg(column), *saved);
            store.Sync();
        }
        CKTM220View view(radio);
        for (int column = 0; column < 7; ++column) {
            const auto i = static_cast<std::size_t>(column);
            int expected = c.expected[i];
            if (expected == D)
                expected = std::max(table[i], view.header()->sectionSizeHint(column));
            EXPECT_EQ(view.header()->sectionSize(column), expected) << "column " << column;
        }
    }
}

TEST_F(ViewChannelList, ColumnWidthsSurviveARestartAsTheyWere) {
    const int widths[7] = {44, 10, 120, 130, 95, 85, 300};
    {
        CKTM220View view(radio);
        for (int column = 0; column < 7; ++column)
            view.header()->resizeSection(column, widths[column]);
    }
    // Written unchanged, clamped only when read back.
    QFile file(settings.Dir().File("Velk/KT-M220.ini").c_str());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray text = file.readAll();
    EXPECT_TRUE(text.contains("[Column]")) << text.constData();
    EXPECT_TRUE(text.contains("Width0=44")) << text.constData();
    EXPECT_TRUE(text.contains("Width1=10")) << text.constData();

    CKTM220View again(radio);
    for (int column = 0; column < 7; ++column)
        EXPECT_EQ(again.header()->sectionSize(column), column == 1 ? 20 : widths[column]) << column;
}

TEST_F(ViewChannelList, SelectionAndCurrentChannel) {
    CKTM220View view(radio);
    // The view opens with channel 1 selected.
    EXPECT_TRUE(view.AnyRowSelected());
    EXPECT_EQ(view.CurrentChannel(), 1);

    view.SelectChannel(7);
    EXPECT_EQ(view.CurrentChannel(), 7);
    EXPECT_EQ(view.currentIndex().row(), 6);
    EXPECT_EQ(view.selectionModel()->selectedRows().size(), 1);

    view.SelectChannel(0);
    view.SelectChannel(21);
    EXPECT_EQ(view.CurrentChannel(), 7);

    view.clearSelection();
    EXPECT_FALSE(view.AnyRowSelected());
    EXPECT_EQ(view.CurrentChannel(), 1);

    view.SelectChannel(20);
    view.InitialUpdate();
    EXPECT_EQ(view.CurrentChannel(), 1);
}

// Enter and Delete reach the list even when the window has shortcuts for the
// same keys, so that Delete clears without the Clear command's enabling.
TEST_F(ViewChannelList, EnterDeleteAndDoubleClickAskForTheirCommands) {
    QMainWindow window;
    CKTM220View list(radio, &window);
    CKTM220View* view = &list;
    window.setCentralWidget(view);
    QAction clearAction(QStringLiteral("Clear"));
    clearAction.setShortcut(QKeySequence(Qt::Key_Delete));
    clearAction.setEnabled(true);
    QAction editAction(QStringLiteral("Edit"));
    editAction.setShortcut(QKeySequence(Qt::Key_Return));
    window.addAction(&clearAction);
    window.addAction(&editAction);
    QSignalSpy clearShortcut(&clearAction, &QAction::triggered);
    QSignalSpy editShortcut(&editAction, &QAction::triggered);
    window.resize(900, 700);
    window.show();
    QApplication::setActiveWindow(&window);
    view->setFocus();

    QSignalSpy edit(view, &CKTM220View::editMemoryRequested);
    QSignalSpy clear(view, &CKTM220View::clearRequested);
    QTest::keyClick(view, Qt::Key_Return);
    QTest::keyClick(view, Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_EQ(edit.count(), 2);
    QTest::keyClick(view, Qt::Key_Delete);
    EXPECT_EQ(clear.count(), 1);
    EXPECT_EQ(clearShortcut.count(), 0);
    EXPECT_EQ(editShortcut.count(), 0);

    // Below the last row: no row is hit, the command is still asked for.
    const QPoint below(10, view->viewport()->height() - 2);
    ASSERT_FALSE(view->indexAt(below).isValid());
    QTest::mouseDClick(view->viewport(), Qt::LeftButton, Qt::NoModifier, below);
    EXPECT_EQ(edit.count(), 3);
    const QPoint onChannel5 = view->visualRect(view->model()->index(4, 2)).center();
    QTest::mouseClick(view->viewport(), Qt::LeftButton, Qt::NoModifier, onChannel5);
    QTest::mouseDClick(view->viewport(), Qt::LeftButton, Qt::NoModifier, onChannel5);
    EXPECT_EQ(edit.count(), 4);
    EXPECT_EQ(view->CurrentChannel(), 5);

    // Elsewhere in the window the shortcuts do work.
    QTest::keyClick(&window, Qt::Key_Delete);
    EXPECT_EQ(clearShortcut.count(), 1);
    EXPECT_EQ(clear.count(), 1);
}

TEST_F(ViewChannelList, PopupMenuHoldsTheOwnersActionsInOrder) {
    QMainWindow window;
    CKTM220View list(radio, &window);
    CKTM220View* view = &list;
    window.setCentralWidget(view);
    QAction editMemory(QStringLiteral("&Edit Memory...\tEnter"));
    QAction copy(QStringLiteral("&Copy\tCtrl+C"));
    QAction paste(QStringLiteral("&Paste\tCtrl+V"));
    QAction clear(QStringLiteral("Clear\tDel"));
    QAction remove(QStringLiteral("Delete"));
    QAction insert(QStringLiteral("Insert\t"));
    QAction separator;
    separator.setSeparator(true);
    view->SetPopupActions(
        {&editMemory, nullptr, &copy, &paste, &separator, &clear, &remove, &insert});
    ASSERT_NE(view->PopupMenu(), nullptr);
    QStringList texts;
    for (QAction* action : view->PopupMenu()->actions())
        texts << (action->isSeparator() ? QStringLiteral("-") : action->text());
    EXPECT_EQ(texts, (QStringList{"&Edit Memory...\tEnter", "-", "&Copy\tCtrl+C", "&Paste\tCtrl+V",
                                  "-", "Clear\tDel", "Delete", "Insert\t"}));

    window.show();
    QSignalSpy aboutToShow(view, &CKTM220View::popupMenuAboutToShow);
    bool shown = false;
    QTimer::singleShot(0, view, [&] {
        QWidget* popup = QApplication::activePopupWidget();
        shown = popup == view->PopupMenu();
        if (popup != nullptr)
            popup->close();
    });
    QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(20, 20),
                            view->viewport()->mapToGlobal(QPoint(20, 20)));
    QApplication::sendEvent(view->viewport(), &event);
    EXPECT_EQ(aboutToShow.count(), 1);
    EXPECT_TRUE(shown);
}
} // namespace

} // namespace kt
