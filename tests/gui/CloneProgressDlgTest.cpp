#include "CCloneProgressDlg.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCloseEvent>
#include <QMainWindow>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace kt {

namespace {
QPushButton* CancelButton(CCloneProgressDlg& dialog) {
    for (QPushButton* button : dialog.findChildren<QPushButton*>())
        if (button->text() == QStringLiteral("Cancel"))
            return button;
    return nullptr;
}

class CloneProgressDlg : public ::testing::Test {
protected:
    CloneProgressDlg() { window.show(); }
    QMainWindow window;
};

TEST_F(CloneProgressDlg, ShowsCloningWithAVisibleCancelButton) {
    CCloneProgressDlg dialog(&window);
    ASSERT_TRUE(dialog.Create());
    EXPECT_EQ(dialog.windowTitle(), "Cloning");
    EXPECT_TRUE(dialog.isVisible());
    auto* bar = dialog.findChild<QProgressBar*>();
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(bar->minimum(), 0);
    EXPECT_EQ(bar->maximum(), 100);
    EXPECT_EQ(dialog.Pos(), 0);
    QPushButton* cancel = CancelButton(dialog);
    ASSERT_NE(cancel, nullptr);
    EXPECT_TRUE(cancel->isVisible());
    // Disabling the main window must not disable the dialog with it.
    EXPECT_TRUE(dialog.isEnabled());
    EXPECT_TRUE(cancel->isEnabled());
    EXPECT_FALSE(dialog.windowFlags() & Qt::WindowCloseButtonHint);
}

TEST_F(CloneProgressDlg, BarFollowsThePositionsSet) {
    CCloneProgressDlg dialog(&window);
    ASSERT_TRUE(dialog.Create());
    int previous = 0;
    for (int pos = 0; pos <= 100; pos += CCloneProgressDlg::kStep) {
        EXPECT_EQ(dialog.SetPos(pos), previous);
        EXPECT_EQ(dialog.Pos(), pos);
        previous = pos;
    }
}

TEST_F(CloneProgressDlg, CancelIsReportedOnceByTheNextCheck) {
    struct Gesture {
        const char* name;
        std::function<void(CCloneProgressDlg&)> raise;
    };
    const Gesture gestures[] = {
        {"Cancel button", [](CCloneProgressDlg& d) { CancelButton(d)->click(); }},
        {"Escape", [](CCloneProgressDlg& d) { QTest::keyClick(&d, Qt::Key_Escape); }},
        {"close gesture",
         [](CCloneProgressDlg& d) {
             QCloseEvent close;
             QApplication::sendEvent(&d, &close);
         }},
    };
    for (const Gesture& gesture : gestures) {
        SCOPED_TRACE(gesture.name);
        CCloneProgressDlg dialog(&window);
        ASSERT_TRUE(dialog.Create());
        EXPECT_FALSE(dialog.CheckCancel());
        // The request arrives as an event between two polls; the next
        // poll processes it and reports it.
        QTimer::singleShot(0, &dialog, [&] { gesture.raise(dialog); });
        dialog.SetPos(10);
        EXPECT_TRUE(dialog.CheckCancel());
        EXPECT_FALSE(dialog.CheckCancel());
        EXPECT_TRUE(dialog.isVisible()) << "a cancel request does not close the dialog";
    }
}

TEST_F(CloneProgressDlg, MainWindowDisabledWhileShownAndEnabledAfter) {
    {
        CCloneProgressDlg dialog(&window);
        EXPECT_TRUE(window.isEnabled()) << "nothing is disabled before Create";
        ASSERT_TRUE(dialog.Create());
        EXPECT_FALSE(window.isEnabled());
        EXPECT_TRUE(dialog.OwnerDisabled());
    }
    EXPECT_TRUE(window.isEnabled());
}

TEST_F(CloneProgressDlg, MainWindowDisabledBeforeStaysDisabled) {
    window.setEnabled(false);
    {
        CCloneProgressDlg dialog(&window);
        ASSERT_TRUE(dialog.Create());
        EXPECT_FALSE(dialog.OwnerDisabled());
    }
    EXPECT_FALSE(window.isEnabled());
}

TEST_F(CloneProgressDlg, WithoutOwnerTheMainWindowIsDisabled) {
    {
        CCloneProgressDlg dialog;
        EXPECT_EQ(dialog.Owner(), &window);
        ASSERT_TRUE(dialog.Create());
        EXPECT_FALSE(window.isEnabled());
    }
    EXPECT_TRUE(window.isEnabled());
}

} // namespace

} // namespace kt
