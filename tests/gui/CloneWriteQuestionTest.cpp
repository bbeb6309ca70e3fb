#include "CQtCloneUi.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QMainWindow>
#include <QMessageBox>
#include <QTimer>
#include <gtest/gtest.h>

#include <string>

namespace kt {

namespace {
// What a question or message box showed before it was answered.
struct Seen {
    QString text;
    QString informative;
    QString detailed;
    Qt::TextFormat informativeFormat = Qt::AutoText;
};

// Records the next box and presses button in it.
void AnswerNext(QWidget& window, Seen& seen, QMessageBox::StandardButton button) {
    QTimer::singleShot(0, &window, [&seen, button] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        seen = {box->text(), box->informativeText(), box->detailedText(),
                box->findChild<QLabel*>("qt_msgbox_informativelabel")->textFormat()};
        box->button(button)->click();
    });
}

std::string Lines(int count) {
    std::string text = "This write changes, against the last read of the transceiver:";
    for (int n = 1; n < count; ++n)
        text += "\n  CH " + std::to_string(n) + " Name: <b>A -> B";
    return text;
}
} // namespace

// The detail shows below the question as plain text (names and comments come
// from the transceiver and from files: never markup); a long one shows its
// beginning and keeps the whole under "Show Details...".
TEST(CloneWriteQuestion, TheDetailShowsWithTheQuestionAsPlainText) {
    QMainWindow window;
    window.show();
    CQtCloneUi ui(&window);
    Seen seen;
    AnswerNext(window, seen, QMessageBox::Cancel);
    EXPECT_FALSE(ui.AskOkCancel(" Write to transceiver", Lines(3)));
    EXPECT_EQ(seen.text, " Write to transceiver");
    EXPECT_EQ(seen.informative, QString::fromStdString(Lines(3)));
    EXPECT_EQ(seen.informativeFormat, Qt::PlainText);
    EXPECT_TRUE(seen.detailed.isEmpty());

    const int total = CQtCloneUi::kShownDetailLines + 10;
    AnswerNext(window, seen, QMessageBox::Ok);
    EXPECT_TRUE(ui.AskOkCancel(" Write to transceiver", Lines(total)));
    const QStringList shown = seen.informative.split('\n');
    ASSERT_EQ(shown.size(), CQtCloneUi::kShownDetailLines);
    EXPECT_EQ(shown.back(), "  ... and 11 more (Show Details... lists all).");
    EXPECT_EQ(seen.detailed, QString::fromStdString(Lines(total)));

    // A message box's detail alike.
    AnswerNext(window, seen, QMessageBox::Ok);
    ui.MessageBox("Verification failed", Lines(2));
    EXPECT_EQ(seen.informativeFormat, Qt::PlainText);
}

} // namespace kt
