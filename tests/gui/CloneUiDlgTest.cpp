#include "CCloneProgressDlg.h"
#include "CInformationDlg.h"
#include "CQtCloneUi.h"

#include <QAbstractButton>
#include <QApplication>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QMainWindow>
#include <QMessageBox>
#include <QPushButton>
#include <QStatusBar>
#include <QTimer>
#include <gtest/gtest.h>

#include <functional>

namespace kt {

namespace {
class CloneUiDlg : public ::testing::Test {
protected:
    CloneUiDlg() : ui(&window) { window.show(); }

    // Runs check on the modal window that the next call opens, then lets
    // answer close it.
    void OnNextModal(std::function<void(QWidget*)> answer) {
        QTimer::singleShot(0, &window, [this, answer] {
            QWidget* modal = QApplication::activeModalWidget();
            modalSeen = modal;
            if (modal != nullptr)
                answer(modal);
        });
    }

    QMainWindow window;
    CQtCloneUi ui;
    QWidget* modalSeen = nullptr;
};

TEST_F(CloneUiDlg, StatusTextStaysInTheMessagePane) {
    ui.SetStatusText(" Now reading <- TR");
    EXPECT_EQ(window.statusBar()->currentMessage(), " Now reading <- TR");
    ui.SetStatusText(" Terminated cloning.  ");
    EXPECT_EQ(window.statusBar()->currentMessage(), " Terminated cloning.  ");
}

TEST_F(CloneUiDlg, ProgressDisablesTheWindowAndCarriesTheCancel) {
    ASSERT_TRUE(ui.BeginProgress());
    ASSERT_NE(ui.ProgressDialog(), nullptr);
    EXPECT_FALSE(window.isEnabled());
    ui.SetProgress(40);
    EXPECT_EQ(ui.ProgressDialog()->Pos(), 40);
    EXPECT_FALSE(ui.CheckCancel());
    QTimer::singleShot(0, &window, [this] { ui.ProgressDialog()->reject(); });
    EXPECT_TRUE(ui.CheckCancel());
    EXPECT_FALSE(ui.CheckCancel());
    ui.EndProgress();
    EXPECT_EQ(ui.ProgressDialog(), nullptr);
    EXPECT_TRUE(window.isEnabled());
    // Without a dialog there is nothing to cancel.
    EXPECT_FALSE(ui.CheckCancel());
}

TEST_F(CloneUiDlg, MessageBoxHasTitleIconOkAndDetail) {
    QString title, text, detail;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QMessageBox::StandardButtons buttons;
    OnNextModal([&](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        ASSERT_NE(box, nullptr);
        title = box->windowTitle();
        text = box->text();
        detail = box->informativeText();
        icon = box->icon();
        buttons = box->standardButtons();
        box->button(QMessageBox::Ok)->click();
    });
    ui.MessageBox(" Check the following:\r\n\r\n - Cloning cable connections.\n",
                  "/dev/ttyUSB0: Permission denied");
    ASSERT_NE(modalSeen, nullptr);
    EXPECT_EQ(title, "KT-M220");
    EXPECT_EQ(icon, QMessageBox::Warning);
    EXPECT_EQ(buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
    EXPECT_EQ(text, " Check the following:\n\n - Cloning cable connections.\n");
    EXPECT_EQ(detail, "/dev/ttyUSB0: Permission denied");
}

TEST_F(CloneUiDlg, QuestionAnswersOkOrCancel) {
    for (const auto answer : {QMessageBox::Ok, QMessageBox::Cancel}) {
        SCOPED_TRACE(answer == QMessageBox::Ok ? "OK" : "Cancel");
        QString text;
        OnNextModal([&](QWidget* modal) {
            auto* box = qobject_cast<QMessageBox*>(modal);
            ASSERT_NE(box, nullptr);
            EXPECT_EQ(box->windowTitle(), "KT-M220");
            EXPECT_EQ(box->icon(), QMessageBox::Warning);
            text = box->text();
            box->button(answer)->click();
        });
        EXPECT_EQ(ui.AskOkCancel(" Write to transceiver"), answer == QMessageBox::Ok);
        EXPECT_EQ(text, " Write to transceiver");
    }
}

TEST_F(CloneUiDlg, WaitCursorIsBalanced) {
    ASSERT_EQ(QGuiApplication::overrideCursor(), nullptr);
    ui.BeginWaitCursor();
    ASSERT_NE(QGuiApplication::overrideCursor(), nullptr);
    EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
    ui.EndWaitCursor();
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    ui.EndWaitCursor(); // one end too many restores nobody else's cursor
    QGuiApplication::setOverrideCursor(Qt::CrossCursor);
    ui.EndWaitCursor();
    EXPECT_NE(QGuiApplication::overrideCursor(), nullptr);
    QGuiApplication::restoreOverrideCursor();
}

// A tone and a pause take their time (a tone on the sound output when there
// is one, the desktop's bell otherwise) and no more than a little over it.
TEST_F(CloneUiDlg, BeepAndPauseLastTheirDuration) {
    QElapsedTimer timer;
    timer.start();
    ui.Beep(1000, 50);
    const qint64 beep = timer.restart();
    ui.Pause(30);
    const qint64 pause = timer.elapsed();
    EXPECT_GE(beep, 50);
    EXPECT_LT(beep, 2000);
    EXPECT_GE(pause, 30);
    EXPECT_LT(pause, 2000);
}

TEST_F(CloneUiDlg, InformationDialogShowsModelAndComment) {
    QString model, comment;
    OnNextModal([&](QWidget* modal) {
        auto* dialog = qobject_cast<CInformationDlg*>(modal);
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->parentWidget(), &window);
        model = dialog->Model();
        comment = dialog->Comment();
        dialog->accept();
    });
    ui.ShowInformation("VR-M220", std::string("TOWER\r\n\x01 ok\xe9", 12));
    ASSERT_NE(modalSeen, nullptr);
    EXPECT_EQ(model, "VR-M220");
    EXPECT_EQ(comment, QString::fromUtf8("TOWER... ok\xc3\xa9"));
}
} // namespace

} // namespace kt
