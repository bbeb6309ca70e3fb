#pragma once

#include <QLabel>
#include <QMessageBox>
#include <gtest/gtest.h>

namespace kt {

// Every message box shows its texts as they stand: file names, channel names,
// CSV fields and the radio's comment never act as markup.
inline void ExpectPlainTexts(const QMessageBox& box) {
    EXPECT_EQ(box.textFormat(), Qt::PlainText) << box.text().toStdString();
    if (const auto* informative =
            box.findChild<QLabel*>(QStringLiteral("qt_msgbox_informativelabel"))) {
        EXPECT_EQ(informative->textFormat(), Qt::PlainText) << box.informativeText().toStdString();
    }
}

} // namespace kt
