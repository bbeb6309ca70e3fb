#include "AppFrameFixture.h"

#include "CHelpWindow.h"
#include "CKTM220Doc.h"
#include "CKTM220View.h"
#include "CLockKeyState.h"
#include "CLockKeyWatch.h"
#include "CMainFrame.h"
#include "CStatusPanes.h"
#include "CommandIds.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMenuBar>
#include <QRegularExpression>
#include <QStatusBar>
#include <QTextBrowser>
#include <QToolBar>
#include <vector>

namespace kt {

namespace {
using namespace CommandId;

// A menu as the user sees it: its items' texts, "-" for a separator.
std::vector<std::string> Items(QMenu* menu) {
    std::vector<std::string> items;
    for (QAction* action : menu->actions())
        items.push_back(action->isSeparator() ? "-" : action->text().toStdString());
    return items;
}

QMenu* MenuTitled(QMainWindow& frame, const QString& title) {
    for (QAction* action : frame.menuBar()->actions())
        if (action->text() == title)
            return action->menu();
    return nullptr;
}

using AppMainFrame = AppFrameTest;
} // namespace

TEST_F(AppMainFrame, MenusHoldEveryItemInOrder) {
    const std::vector<std::pair<QString, std::vector<std::string>>> menus = {
        {"&File",
         {"&New\tCtrl+N", "&Open...\tCtrl+O", "&Save\tCtrl+S", "Save &As...", "-",
          "&Import Channels...", "Export C&hannels...", "-", "Compare &With...", "Chec&k Plan...",
          "-", "&Print...\tCtrl+P", "Print Knee&board...", "Export P&DF...", "-", "Recent File",
          "-", "E&xit"}},
        {"&Edit",
         {"&Undo\tCtrl+Z", "&Redo\tCtrl+Y", "-", "&Edit Memory...\tEnter", "-", "&Copy\tCtrl+C",
          "&Paste\tCtrl+V", "-", "Clear\tDel", "Delete", "Insert\t", "-",
          "Add &Airport Channels..."}},
        {"&View", {"&Common Setting...", "-", "&Toolbar", "&Status Bar"}},
        {"COM &Port", {"COM1", "COM2", "COM3", "COM4", "-", "Port &Devices..."}},
        {"&Clone", {"&Read <- TR", "&Write -> TR", "&Verify After Write", "-", "&Information..."}},
        {"&Help",
         {"&Contents", "&Help Topics", "-", "Open &Backup Folder", "&Update Airport Data...", "-",
          "&About KT-M220..."}},
    };
    const QList<QAction*> bar = frame_->menuBar()->actions();
    ASSERT_EQ(bar.size(), static_cast<qsizetype>(menus.size()));
    for (std::size_t i = 0; i < menus.size(); ++i) {
        SCOPED_TRACE(menus[i].first.toStdString());
        EXPECT_EQ(bar[static_cast<qsizetype>(i)]->text(), menus[i].first);
        QMenu* menu = MenuTitled(*frame_, menus[i].first);
        ASSERT_NE(menu, nullptr);
        EXPECT_EQ(Items(menu), menus[i].second);
    }
    EXPECT_FALSE(frame_->Action(kFileMruFirst)->isEnabled()) << "the greyed place-holder";
}

TEST_F(AppMainFrame, CommandsCarryTheirPromptsAndToolTips) {
    const struct {
        int id;
        const char* prompt;
        const char* tip;
    } table[] = {
        {kEditMemory, "Edit Memory", "Edit Memory"},
        {kEditCopy, "Copy the selection and put it on the Clipboard", "Copy"},
        {kEditPaste, "Insert Clipboard contents", "Paste"},
        {kEditClear, "Clear", "Clear"},
        {kEditDelete, "Delete", "Delete"},
        {kEditInsert, "Insert", "Insert"},
        {kCommonSetting, "Indicate Others Sheet", "Common Sheet"},
        {kPortCom1, "Use COM1", "COM1"},
        {kPortCom1 + 1, "Use COM2", "COM2"},
        {kPortCom1 + 2, "Use COM3", "COM3"},
        {kPortCom1 + 3, "Use COM4", "COM4"},
        {kCloneRead, "Read From Transceiver", "Clone in"},
        {kCloneWrite, "Write to Transceiver", "Clone out"},
        {kCloneInformation, "Read Information", "Clone info."},
        {kFileNew, "Create a new document", "New"},
        {kFileOpen, "Open an existing document", "Open"},
        {kFileSave, "Save the active document", "Save"},
    };
    for (const auto& row : table) {
        SCOPED_TRACE(row.id);
        QAction* action = frame_->Action(row.id);
        ASSERT_NE(action, nullptr);
        EXPECT_EQ(action->statusTip().toStdString(), row.prompt);
        EXPECT_EQ(action->toolTip().toStdString(), row.tip);
    }
    // Every command of the menus says what it does in the status bar.
    for (QAction* menu : frame_->menuBar()->actions())
        for (QAction* item : menu->menu()->actions())
            if (!item->isSeparator() && item->isEnabled()) {
                SCOPED_TRACE(item->text().toStdString());
                EXPECT_FALSE(item->statusTip().isEmpty());
            }
}

TEST_F(AppMainFrame, KeysFollowTheAcceleratorTable) {
    const struct {
        int id;
        std::vector<QKeySequence> keys;
    } table[] = {
        {kFileNew, {QKeySequence("Ctrl+N")}},
        {kFileOpen, {QKeySequence("Ctrl+O")}},
        {kFileSave, {QKeySequence("Ctrl+S")}},
        {kEditUndo, {QKeySequence("Ctrl+Z"), QKeySequence("Alt+Backspace")}},
        {kEditCut, {QKeySequence("Ctrl+X"), QKeySequence("Shift+Del")}},
        {kEditCopy, {QKeySequence("Ctrl+C"), QKeySequence("Ctrl+Ins")}},
        {kEditPaste, {QKeySequence("Ctrl+V"), QKeySequence("Shift+Ins")}},
        {kNextPane, {QKeySequence("F6")}},
        {kPrevPane, {QKeySequence("Shift+F6")}},
        // Enter and Delete belong to the list itself, not to the window.
        {kEditMemory, {}},
        {kEditClear, {}},
        {kFileSaveAs, {}},
    };
    for (const auto& row : table) {
        SCOPED_TRACE(row.id);
        QAction* action = frame_->Action(row.id);
        ASSERT_NE(action, nullptr);
        const QList<QKeySequence> keys = action->shortcuts();
        EXPECT_EQ(std::vector<QKeySequence>(keys.begin(), keys.end()), row.keys);
    }
    // No key is taken twice.
    QList<QKeySequence> all;
    for (QAction* action : frame_->actions())
        for (const QKeySequence& key : action->shortcuts()) {
            EXPECT_FALSE(all.contains(key)) << key.toString().toStdString();
            all.append(key);
        }
}

TEST_F(AppMainFrame, ToolbarHoldsTheButtonsInOrder) {
    auto* bar = frame_->findChild<QToolBar*>(QStringLiteral("ToolBar"));
    ASSERT_NE(bar, nullptr);
    std::vector<int> buttons;
    for (QAction* action : bar->actions())
        buttons.push_back(action->isSeparator() ? 0 : action->data().toInt());
    const std::vector<int> expected = {kFileNew,
                                       kFileOpen,
                                       kFileSave,
                                       0,
                                       kEditMemory,
                                       kEditCopy,
                                       kEditPaste,
                                       kEditClear,
                                       0,
                                       kCommonSetting,
                                       0,
                                       kPortCom1,
                                       kPortCom1 + 1,
                                       kPortCom1 + 2,
                                       kPortCom1 + 3,
                                       0,
                                       kCloneRead,
                                       kCloneWrite,
                                       kCloneInformation};
    EXPECT_EQ(buttons, expected);
    EXPECT_EQ(bar->iconSize(), QSize(16, 16));
    EXPECT_EQ(frame_->toolBarArea(bar), Qt::TopToolBarArea);
    for (QAction* action : bar->actions()) {
        if (action->isSeparator())
            continue;
        SCOPED_TRACE(action->data().toInt());
        // Sharp at 16 and 32 pixels (200 %): a drawing, not a blank.
        for (int size : {16, 32}) {
            const QImage image = action->icon().pixmap(size, size).toImage();
            ASSERT_FALSE(image.isNull());
            EXPECT_GE(image.width(), size);
            int painted = 0;
            for (int y = 0; y < image.height(); ++y)
                for (int x = 0; x < image.width(); ++x)
                    painted += qAlpha(image.pixel(x, y)) > 0;
            EXPECT_GT(painted, size * size / 8);
        }
    }
}

TEST_F(AppMainFrame, StatusBarHasFivePanesTheLastBlank) {
    CStatusPanes& panes = frame_->StatusPanes();
    EXPECT_EQ(panes.IdleLabel()->text(), "Ready");
    ASSERT_EQ(CStatusPanes::kPaneCount, 4);
    EXPECT_EQ(panes.Pane(3)->text(), "      ");
    panes.ShowLockKeys({true, false, true});
    EXPECT_EQ(panes.Pane(0)->text(), "CAP");
    EXPECT_EQ(panes.Pane(1)->text(), "");
    EXPECT_EQ(panes.Pane(2)->text(), "SCRL");
    panes.ShowLockKeys({false, true, false});
    EXPECT_EQ(panes.Pane(0)->text(), "");
    EXPECT_EQ(panes.Pane(1)->text(), "NUM");
    // A pane is as wide with its text hidden as shown.
    EXPECT_GE(panes.Pane(2)->minimumWidth(),
              panes.Pane(2)->fontMetrics().horizontalAdvance("SCRL"));

    frame_->SetMessageText(QStringLiteral(" Cloning completed."));
    EXPECT_EQ(frame_->statusBar()->currentMessage(), " Cloning completed.");
}

// Offscreen (as on Wayland) the display server tells no lock key state: the
// panes stay blank and say only which key they stand for, rather than "off".
TEST_F(AppMainFrame, LockKeyPanesStayBlankWithoutAKeyboardState) {
    CLockKeyWatch watch;
    EXPECT_FALSE(watch.State().known);
    CStatusPanes& panes = frame_->StatusPanes();
    panes.ShowLockKeys({true, true, true, true});
    EXPECT_EQ(panes.Pane(0)->text(), "CAP");
    panes.ShowLockKeys(watch.State());
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(panes.Pane(i)->text(), "") << i;
    EXPECT_EQ(panes.Pane(0)->accessibleName(), "Caps Lock");
    EXPECT_EQ(panes.Pane(2)->accessibleName(), "Scroll Lock");
}

TEST_F(AppMainFrame, PortChecksFollowThePortNumber) {
    // A fresh profile uses COM1.
    for (int n = 1; n <= 4; ++n)
        EXPECT_EQ(frame_->Action(kPortCom1 + n - 1)->isChecked(), n == 1) << n;
    frame_->Action(kPortCom1 + 2)->trigger();
    EXPECT_EQ(doc_->PortNumber(), 3u);
    for (int n = 1; n <= 4; ++n)
        EXPECT_EQ(frame_->Action(kPortCom1 + n - 1)->isChecked(), n == 3) << n;
    // Choosing the ticked port again keeps it ticked.
    frame_->Action(kPortCom1 + 2)->trigger();
    EXPECT_TRUE(frame_->Action(kPortCom1 + 2)->isChecked());
    EXPECT_EQ(doc_->PortNumber(), 3u);
}

TEST_F(AppMainFrame, NewDocumentShowsUntitledAndTwentyRows) {
    EXPECT_EQ(frame_->windowTitle(), "Untitled[*] - KT-M220");
    EXPECT_FALSE(frame_->isWindowModified());
    CKTM220View* view = frame_->View();
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(view->model()->rowCount(), 20);
    EXPECT_EQ(view->CellText(1, 0), "01");
    EXPECT_EQ(view->CellText(1, 2), "118.000");
    for (int channel = 2; channel <= 20; ++channel) {
        EXPECT_EQ(view->CellText(channel, 0), QStringLiteral("%1").arg(channel, 2, 10, QChar('0')));
        EXPECT_EQ(view->CellText(channel, 2), "") << channel;
    }
    EXPECT_EQ(view->CurrentChannel(), 1);
    EXPECT_TRUE(view->AnyRowSelected());
}

TEST_F(AppMainFrame, TitleShowsTheModifiedMark) {
    doc_->SetModifiedFlag(true);
    EXPECT_TRUE(frame_->isWindowModified());
    doc_->SetModifiedFlag(false);
    EXPECT_FALSE(frame_->isWindowModified());
    // An edit command marks it too: channel 1 copied onto channel 2.
    frame_->Action(kEditCopy)->trigger();
    frame_->View()->SelectChannel(2);
    frame_->Action(kEditPaste)->trigger();
    EXPECT_EQ(frame_->View()->CellText(2, 2), "118.000");
    EXPECT_TRUE(frame_->isWindowModified());
    EXPECT_TRUE(doc_->IsModified());
}

TEST_F(AppMainFrame, EditCommandsFollowTheEnginesAnswers) {
    // Channel 1 cannot be cleared, deleted or have one inserted before it;
    // nothing has been copied yet.
    const int edits[] = {kEditCopy, kEditPaste, kEditClear, kEditDelete, kEditInsert};
    const bool onChannel1[] = {true, false, false, false, false};
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(frame_->Action(edits[i])->isEnabled(), onChannel1[i]) << edits[i];
    frame_->Action(kEditCopy)->trigger();
    EXPECT_TRUE(frame_->Action(kEditPaste)->isEnabled()) << "something to paste now";
    frame_->View()->SelectChannel(2);
    EXPECT_TRUE(frame_->Action(kEditDelete)->isEnabled());
    EXPECT_TRUE(frame_->Action(kEditInsert)->isEnabled());
    EXPECT_TRUE(frame_->Action(kEditMemory)->isEnabled());
    EXPECT_TRUE(frame_->Action(kCommonSetting)->isEnabled());
    // The list's popup menu offers the same commands.
    QMenu* popup = frame_->View()->PopupMenu();
    ASSERT_NE(popup, nullptr);
    std::vector<std::string> items;
    for (QAction* action : popup->actions())
        items.push_back(action->isSeparator() ? "-" : action->text().toStdString());
    EXPECT_EQ(items, (std::vector<std::string>{"&Edit Memory...\tEnter", "-", "&Copy\tCtrl+C",
                                               "&Paste\tCtrl+V", "-", "Clear\tDel", "Delete",
                                               "Insert\t"}));
}

TEST_F(AppMainFrame, FreshProfilePlacementAndMinimumSize) {
    EXPECT_EQ(frame_->geometry(), QRect(5, 5, 500, 300));
    EXPECT_FALSE(frame_->StartedMaximized());
    EXPECT_EQ(frame_->minimumSize(), QSize(400, 200));
}

TEST_F(AppMainFrame, HelpOpensOnContentsAndTopics) {
    frame_->Action(kHelpContents)->trigger();
    CHelpWindow* help = frame_->HelpWindow();
    ASSERT_NE(help, nullptr);
    EXPECT_TRUE(help->isVisible());
    EXPECT_EQ(help->CurrentPage(), "index.html");
    EXPECT_FALSE(help->Browser()->toPlainText().isEmpty());
    frame_->Action(kHelpTopics)->trigger();
    EXPECT_EQ(frame_->HelpWindow(), help) << "one help window";
    EXPECT_EQ(help->CurrentPage(), "topics.html");
}

TEST_F(AppMainFrame, EveryHelpLinkLeadsToAPageAndAnchor) {
    frame_->Action(kHelpContents)->trigger();
    const QDir pages(QStringLiteral(":/help"));
    const QStringList files = pages.entryList({QStringLiteral("*.html")});
    ASSERT_GE(files.size(), 5);
    const QRegularExpression link(QStringLiteral("href=\"([^\"#]*)(#([^\"]*))?\""));
    for (const QString& file : files) {
        QFile page(pages.filePath(file));
        ASSERT_TRUE(page.open(QIODevice::ReadOnly));
        const QString text = QString::fromUtf8(page.readAll());
        for (auto m = link.globalMatch(text); m.hasNext();) {
            const auto match = m.next();
            const QString target = match.captured(1).isEmpty() ? file : match.captured(1);
            SCOPED_TRACE((file + " -> " + match.captured(0)).toStdString());
            if (target.endsWith(QLatin1String(".css")))
                continue;
            QFile linked(pages.filePath(target));
            ASSERT_TRUE(linked.open(QIODevice::ReadOnly));
            if (match.hasCaptured(3)) {
                EXPECT_TRUE(QString::fromUtf8(linked.readAll())
                                .contains(QStringLiteral("name=\"%1\"").arg(match.captured(3))));
            }
        }
    }
    // The messages page explains the messages the user meets most.
    QFile messages(pages.filePath(QStringLiteral("messages.html")));
    ASSERT_TRUE(messages.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(messages.readAll());
    for (const char* message :
         {" Err: Cannot access RS-232C port.", " Err: Cannot read cloning data.",
          " Err: Illegal information.", "Unexpected file format.", "dialout"})
        EXPECT_TRUE(text.contains(QString::fromLatin1(message).toHtmlEscaped())) << message;
}

TEST_F(AppMainFrame, AWindowBusyCloningCannotBeClosed) {
    frame_->show();
    frame_->setEnabled(false); // as while the progress dialog is shown
    EXPECT_FALSE(frame_->close());
    frame_->setEnabled(true);
    EXPECT_TRUE(frame_->close());
}

} // namespace kt
