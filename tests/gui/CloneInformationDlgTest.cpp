#include "CInformationDlg.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace kt {

namespace {
QStringList LabelTexts(const QWidget& dialog) {
    QStringList texts;
    for (const QLabel* label : dialog.findChildren<QLabel*>())
        texts << label->text();
    return texts;
}

TEST(CloneInformationDlg, CaptionLabelsAndEmptyTexts) {
    CInformationDlg dialog;
    EXPECT_EQ(dialog.windowTitle(), "Information");
    const QStringList texts = LabelTexts(dialog);
    EXPECT_EQ(texts.count("Model"), 1);
    EXPECT_EQ(texts.count("Comment"), 1);
    EXPECT_EQ(texts.count(":"), 2);
    EXPECT_EQ(dialog.Model(), "");
    EXPECT_EQ(dialog.Comment(), "");
    auto* ok = dialog.findChild<QPushButton*>();
    ASSERT_NE(ok, nullptr);
    EXPECT_EQ(ok->text(), "OK");
    EXPECT_TRUE(ok->isDefault());
}

TEST(CloneInformationDlg, ShowsTextsAsPlainText) {
    CInformationDlg dialog;
    dialog.SetModel(QStringLiteral("VR-M220"));
    dialog.SetComment(QStringLiteral("<b>TOWER</b> & 1"));
    EXPECT_EQ(dialog.Model(), "VR-M220");
    EXPECT_EQ(dialog.Comment(), "<b>TOWER</b> & 1");
    for (const QLabel* label : dialog.findChildren<QLabel*>())
        if (label->text() == dialog.Comment()) {
            EXPECT_EQ(label->textFormat(), Qt::PlainText);
        }
}

TEST(CloneInformationDlg, OkAndEscapeCloseIt) {
    struct Gesture {
        const char* name;
        std::function<void(CInformationDlg&)> close;
        int result;
    };
    const Gesture gestures[] = {
        {"OK", [](CInformationDlg& d) { d.findChild<QPushButton*>()->click(); }, QDialog::Accepted},
        {"Enter", [](CInformationDlg& d) { QTest::keyClick(&d, Qt::Key_Return); },
         QDialog::Accepted},
        {"Escape", [](CInformationDlg& d) { QTest::keyClick(&d, Qt::Key_Escape); },
         QDialog::Rejected},
    };
    for (const Gesture& gesture : gestures) {
        SCOPED_TRACE(gesture.name);
        CInformationDlg dialog;
        bool wasModal = false;
        QTimer::singleShot(0, &dialog, [&] {
            wasModal = QApplication::activeModalWidget() == &dialog;
            gesture.close(dialog);
        });
        EXPECT_EQ(dialog.exec(), gesture.result);
        EXPECT_TRUE(wasModal);
    }
}
} // namespace

} // namespace kt
