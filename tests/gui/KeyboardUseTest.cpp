#include "AppFrameFixture.h"
#include "SettingSheetDriver.h"

#include "CAboutDlg.h"
#include "CAdvancedPage.h"
#include "CCommonPage.h"
#include "CEditMemoryDlg.h"
#include "CInformationDlg.h"
#include "CKTM220Doc.h"
#include "CKTM220View.h"
#include "CMainFrame.h"
#include "CPortDevicesDlg.h"
#include "CommandIds.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMenu>
#include <QTest>
#include <QTimer>

#include <functional>
#include <memory>
#include <vector>

namespace kt {

// The program used with the keyboard alone: Tab walks each dialog in the
// order its controls are laid out, Escape closes every dialog, the channel
// list is worked with the arrows, Enter, Delete and its popup menu, and the
// Setting sheet's pages turn with Ctrl+Tab.
namespace {
// A control as the test names it: its name in the form, or a button's text.
QString FocusName(QWidget* widget) {
    if (widget == nullptr)
        return QStringLiteral("<none>");
    // An editable list's text field stands for the list.
    if (auto* combo = qobject_cast<QComboBox*>(widget->parentWidget()))
        if (combo->lineEdit() == widget)
            widget = combo;
    if (!widget->objectName().isEmpty())
        return widget->objectName();
    if (auto* button = qobject_cast<QAbstractButton*>(widget))
        return button->text();
    return QLatin1String(widget->metaObject()->className());
}

// Where the focus goes on each of count presses of Tab in the active window.
QStringList TabChain(int count) {
    QStringList chain;
    for (int i = 0; i < count; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        chain << FocusName(QApplication::focusWidget());
    }
    return chain;
}

void Activate(QWidget& window) {
    window.show();
    QApplication::setActiveWindow(&window);
}

class KeyboardUse : public AppFrameTest {
protected:
    void SetUp() override {
        AppFrameTest::SetUp();
        Fill(2, "118.100", "TOWER");
        View().RefreshAllRows();
    }
    void TearDown() override {
        doc_->SetModifiedFlag(false);
        Radio().SetModified(0);
        AppFrameTest::TearDown();
    }
};

TEST_F(KeyboardUse, TabFollowsTheLayoutOfEveryDialog) {
    CM220Radio& radio = doc_->GetRadio();
    struct Case {
        const char* name;
        std::function<std::unique_ptr<QWidget>()> make;
        QString first; // where the focus starts
        QStringList chain;
    };
    const auto sheet = [&](int page) {
        auto made = std::make_unique<CSettingSheet>(frame_.get(), page);
        // The pages are the sheet's children and go with it.
        made->AddPage(new CCommonPage(&radio));
        made->AddPage(new CAdvancedPage(&radio));
        return made;
    };
    const std::vector<Case> cases = {
        {"Edit Memory ch, channel in use",
         [&] { return std::make_unique<CEditMemoryDlg>(radio, 2, frame_.get()); },
         "frequencyEdit",
         {"nameEdit", "txInhibitCheck", "lockoutCheck", "okButton", "cancelButton",
          "frequencyEdit"}},
        {"Edit Memory ch, empty channel: the disabled fields are passed over",
         [&] { return std::make_unique<CEditMemoryDlg>(radio, 9, frame_.get()); },
         "frequencyEdit",
         {"okButton", "cancelButton", "frequencyEdit"}},
        {"Setting, Common",
         [&] { return sheet(0); },
         "qt_tabwidget_tabbar",
         {"operationBeepCheck", "upDownKeyBeepCheck", "sideToneCheck", "indicationModeCombo",
          "lcdBacklightCombo", "scanFunctionCheck", "hangerScanCheck", "scanModeCombo",
          "priorityChannelCombo", "openingTextEdit", "OK", "Cancel", "qt_tabwidget_tabbar"}},
        {"Setting, Advanced",
         [&] { return sheet(1); },
         "qt_tabwidget_tabbar",
         {"adjustModeCheck", "vfoModeCheck", "vfoTxCheck", "memoryWriteCheck",
          "channelSpacingCombo", "cloneCommentEdit", "OK", "Cancel", "qt_tabwidget_tabbar"}},
        {"Port Devices",
         [&] {
             return std::make_unique<CPortDevicesDlg>(CPortDevicesDlg::Devices{}, frame_.get());
         },
         "deviceList",
         {"comboCom1", "comboCom2", "comboCom3", "comboCom4", "OK", "Cancel", "deviceList"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::unique_ptr<QWidget> dialog = c.make();
        Activate(*dialog);
        QWidget* first = FocusName(QApplication::focusWidget()) == c.first
                             ? QApplication::focusWidget()
                             : dialog->findChild<QWidget*>(c.first);
        ASSERT_NE(first, nullptr);
        first->setFocus(Qt::TabFocusReason);
        EXPECT_EQ(TabChain(static_cast<int>(c.chain.size())), c.chain);
    }
}

TEST_F(KeyboardUse, EscapeClosesEveryDialog) {
    CM220Radio& radio = doc_->GetRadio();
    struct Case {
        const char* name;
        std::function<std::unique_ptr<QDialog>()> make;
        const char* focus; // the control that has the focus when Escape comes
    };
    const std::vector<Case> cases = {
        {"Edit Memory ch", [&] { return std::make_unique<CEditMemoryDlg>(radio, 2, frame_.get()); },
         "nameEdit"},
        {"Setting",
         [&] {
             auto sheet = std::make_unique<CSettingSheet>(frame_.get(), 0);
             sheet->AddPage(new CCommonPage(&radio));
             sheet->AddPage(new CAdvancedPage(&radio));
             return sheet;
         },
         "lcdBacklightCombo"},
        {"Information", [&] { return std::make_unique<CInformationDlg>(frame_.get()); },
         "okButton"},
        {"About", [&] { return std::make_unique<CAboutDlg>(frame_.get()); }, "okButton"},
        {"Port Devices",
         [&] {
             return std::make_unique<CPortDevicesDlg>(CPortDevicesDlg::Devices{}, frame_.get());
         },
         "comboCom2"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::unique_ptr<QDialog> dialog = c.make();
        QWidget* focus = dialog->findChild<QWidget*>(QString::fromLatin1(c.focus));
        ASSERT_NE(focus, nullptr);
        bool pressed = false;
        QTimer::singleShot(0, dialog.get(), [&] {
            QApplication::setActiveWindow(dialog.get());
            focus->setFocus();
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
            pressed = true;
        });
        EXPECT_EQ(dialog->exec(), QDialog::Rejected);
        EXPECT_TRUE(pressed);
    }
}

TEST_F(KeyboardUse, ChannelListIsWorkedWithTheKeys) {
    CKTM220View* view = frame_->View();
    Activate(*frame_);
    // The list is the window's only stop for Tab, and it has the focus.
    EXPECT_EQ(QApplication::focusWidget(), view);
    QTest::keyClick(view, Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), view);

    QTest::keyClick(view, Qt::Key_Down);
    EXPECT_EQ(view->CurrentChannel(), 2);
    QTest::keyClick(view, Qt::Key_End);
    EXPECT_EQ(view->CurrentChannel(), 20);
    QTest::keyClick(view, Qt::Key_Home);
    QTest::keyClick(view, Qt::Key_Down);
    ASSERT_EQ(view->CurrentChannel(), 2);

    // Enter edits the current channel; Escape leaves the dialog unchanged.
    QString edited;
    AnswerNextModal([&](QWidget* modal) {
        if (auto* edit = qobject_cast<CEditMemoryDlg*>(modal))
            edited = edit->findChild<QLineEdit*>(QStringLiteral("nameEdit"))->text();
        QApplication::setActiveWindow(modal);
        QWidget* focus = QApplication::focusWidget();
        QTest::keyClick(focus ? focus : modal, Qt::Key_Escape);
        if (modal->isVisible()) {
            ADD_FAILURE() << "Escape left the dialog open";
            modal->close();
        }
    });
    QTest::keyClick(view, Qt::Key_Return);
    EXPECT_EQ(edited, "TOWER");
    EXPECT_EQ(view->CellText(2, 3), "TOWER");

    // Delete clears it.
    QTest::keyClick(view, Qt::Key_Delete);
    EXPECT_EQ(view->CellText(2, 2), "");
    EXPECT_EQ(view->CellText(2, 3), "");
}

// The popup opens at the current row from Shift+F10 and from the Menu key
// (which the windowing system delivers as a keyboard context menu event),
// wherever the pointer is, and brings a row scrolled away back into view.
TEST_F(KeyboardUse, PopupMenuOpensAtTheCurrentRowFromTheKeyboard) {
    CKTM220View* view = frame_->View();
    frame_->resize(500, 220);
    Activate(*frame_);
    view->setFocus();
    const std::vector<std::pair<const char*, std::function<void()>>> gestures = {
        {"Shift+F10", [&] { QTest::keyClick(view, Qt::Key_F10, Qt::ShiftModifier); }},
        {"Menu key",
         [&] {
             QContextMenuEvent event(QContextMenuEvent::Keyboard, QPoint(3, 3),
                                     view->mapToGlobal(QPoint(3, 3)));
             QApplication::sendEvent(view, &event);
         }},
    };
    for (const auto& [name, gesture] : gestures) {
        SCOPED_TRACE(name);
        view->SelectChannel(18);
        view->scrollToTop();
        QRect shownAt;
        QRect rowAt;
        bool pasteEnabled = true;
        QTimer::singleShot(0, view, [&] {
            QWidget* popup = QApplication::activePopupWidget();
            if (popup != view->PopupMenu()) {
                ADD_FAILURE() << "the popup menu is not open";
                if (popup)
                    popup->close();
                return;
            }
            shownAt = popup->geometry();
            const QRect row = view->visualRect(view->model()->index(17, 0));
            rowAt = QRect(view->viewport()->mapToGlobal(row.topLeft()), row.size());
            for (QAction* action : view->PopupMenu()->actions())
                if (action->data().toInt() == CommandId::kEditPaste)
                    pasteEnabled = action->isEnabled();
            popup->close();
        });
        gesture();
        // The row is in view again, and the menu opens just below it.
        EXPECT_TRUE(
            view->viewport()->rect().contains(view->visualRect(view->model()->index(17, 0))));
        EXPECT_EQ(shownAt.top(), rowAt.bottom() + 1);
        EXPECT_GE(shownAt.left(), rowAt.left());
        EXPECT_LT(shownAt.left(), rowAt.left() + rowAt.height());
        // Its commands are enabled for that row: nothing copied, nothing to paste.
        EXPECT_FALSE(pasteEnabled);
    }
}

TEST(KeyboardSheet, CtrlTabAndCtrlPageKeysTurnThePages) {
    AnsweringRadio radio;
    Prepare<AnsweringRadio>(radio);
    FakeSheetHost host(radio);
    struct Press {
        const char* keys;
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        int page;
    };
    const Press presses[] = {
        {"Ctrl+Tab", Qt::Key_Tab, Qt::ControlModifier, 1},
        {"Ctrl+Tab round the end", Qt::Key_Tab, Qt::ControlModifier, 0},
        {"Ctrl+PgDn", Qt::Key_PageDown, Qt::ControlModifier, 1},
        {"Ctrl+PgUp", Qt::Key_PageUp, Qt::ControlModifier, 0},
        {"Ctrl+Shift+Tab round the start", Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier,
         1},
        {"Ctrl+Shift+Tab", Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier, 0},
    };
    RunSheet(
        radio, host,
        [&](CSettingSheet& sheet) {
            // From a text field of the page, then from the OK button.
            QApplication::setActiveWindow(&sheet);
            Control<QLineEdit>(sheet, "openingTextEdit").setFocus();
            for (const Press& press : presses) {
                SCOPED_TRACE(press.keys);
                QTest::keyClick(QApplication::focusWidget(), press.key, press.modifiers);
                EXPECT_EQ(sheet.CurrentPage(), press.page);
                EXPECT_EQ(host.startPage, press.page);
            }
            sheet.Buttons()->button(QDialogButtonBox::Ok)->setFocus();
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_PageDown, Qt::ControlModifier);
            EXPECT_EQ(sheet.CurrentPage(), 1);
        },
        SheetEnd::Cancel);
    EXPECT_EQ(host.startPage, 1);
}
} // namespace

} // namespace kt
