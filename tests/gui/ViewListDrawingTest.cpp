#include "CListViewEx.h"

#include <QApplication>
#include <QFontMetrics>
#include <QHeaderView>
#include <QImage>
#include <QStandardItemModel>
#include <gtest/gtest.h>

namespace kt {

namespace {
const QString kDots = QStringLiteral("...");

// A list of three columns: the first (asked to be right-aligned, which it
// never is), a right-aligned one and a centred one.
class ViewListDrawing : public ::testing::Test {
protected:
    ViewListDrawing() : model(2, 3) {
        model.setHeaderData(0, Qt::Horizontal, int(Qt::AlignRight), Qt::TextAlignmentRole);
        model.setHeaderData(1, Qt::Horizontal, int(Qt::AlignRight), Qt::TextAlignmentRole);
        model.setHeaderData(2, Qt::Horizontal, int(Qt::AlignHCenter), Qt::TextAlignmentRole);
        for (int column = 0; column < 3; ++column)
            model.setData(model.index(0, column), QStringLiteral("118.000"));
        list.setModel(&model);
        list.resize(600, 200);
    }
    int Advance(const QString& text) const {
        return QFontMetrics(list.font()).horizontalAdvance(text);
    }

    QStandardItemModel model;
    CListViewEx list;
};

TEST(ViewShortenText, ExactEdgeOfTheDots) {
    const QFontMetrics metrics(QApplication::font());
    for (const QString& text : {QStringLiteral("118.000"), QStringLiteral("Memory Lockout"),
                                QStringLiteral("WWWWWWW"), QStringLiteral("i")}) {
        for (const int margin : {4, 12}) {
            SCOPED_TRACE(text.toStdString() + " margin " + std::to_string(margin));
            const int fits = metrics.horizontalAdvance(text) + margin;
            EXPECT_EQ(CListViewEx::ShortenText(text, fits, margin, metrics), text);
            EXPECT_EQ(CListViewEx::ShortenText(text, fits + 50, margin, metrics), text);

            const QString cut = CListViewEx::ShortenText(text, fits - 1, margin, metrics);
            ASSERT_TRUE(cut.endsWith(kDots)) << cut.toStdString();
            const QString kept = cut.chopped(3);
            ASSERT_FALSE(kept.isEmpty());
            ASSERT_TRUE(text.startsWith(kept));
            // The longest start that fits together with the dots, but at
            // least one character.
            const int dots = metrics.horizontalAdvance(kDots);
            if (kept.size() > 1) {
                EXPECT_LE(metrics.horizontalAdvance(kept) + margin + dots, fits - 1);
            }
            if (kept.size() < text.size() - 1) {
                EXPECT_GT(metrics.horizontalAdvance(text.left(kept.size() + 1)) + margin + dots,
                          fits - 1);
            }
        }
    }
}

TEST(ViewShortenText, KeepsOneCharacterAndLeavesEmptyTextAlone) {
    const QFontMetrics metrics(QApplication::font());
    EXPECT_EQ(CListViewEx::ShortenText(QStringLiteral("Frequency"), 0, 12, metrics), "F...");
    EXPECT_EQ(CListViewEx::ShortenText(QStringLiteral("W"), 1, 12, metrics), "W...");
    EXPECT_EQ(CListViewEx::ShortenText(QString(), 0, 12, metrics), "");
}

TEST_F(ViewListDrawing, FurtherColumnFitsExactlyOrEndsInDotsLeftAligned) {
    const QString text = QStringLiteral("118.000");
    list.header()->resizeSection(0, 40);
    list.header()->resizeSection(1, Advance(text) + CListViewEx::kColumnMargin);
    CListViewEx::CellLayout cell = list.LayoutCell(0, 1);
    EXPECT_EQ(cell.text, text);
    EXPECT_EQ(cell.align, Qt::AlignRight);
    EXPECT_EQ(cell.textRect.left(), 40 + CListViewEx::kColumnInset);
    EXPECT_EQ(cell.textRect.width(), Advance(text));

    list.header()->resizeSection(1, Advance(text) + CListViewEx::kColumnMargin - 1);
    cell = list.LayoutCell(0, 1);
    EXPECT_TRUE(cell.text.endsWith(kDots)) << cell.text.toStdString();
    EXPECT_EQ(cell.align, Qt::AlignLeft);

    list.header()->resizeSection(2, Advance(text) + CListViewEx::kColumnMargin);
    EXPECT_EQ(list.LayoutCell(0, 2).align, Qt::AlignHCenter);
}

TEST_F(ViewListDrawing, FirstColumnIsLeftAlignedWithItsNarrowMargin) {
    const QString text = QStringLiteral("118.000");
    list.header()->resizeSection(0, Advance(text) + CListViewEx::kFirstColumnMargin);
    CListViewEx::CellLayout cell = list.LayoutCell(0, 0);
    EXPECT_EQ(cell.text, text);
    EXPECT_EQ(cell.align, Qt::AlignLeft);
    EXPECT_EQ(cell.textRect.left(), CListViewEx::kFirstColumnInset);

    list.header()->resizeSection(0, Advance(text) + CListViewEx::kFirstColumnMargin - 1);
    EXPECT_TRUE(list.LayoutCell(0, 0).text.endsWith(kDots));
}

// The selection bar covers the whole row and, stretched, the rest of the
// width; without the focus the row is drawn as unselected unless asked
// otherwise.
TEST_F(ViewListDrawing, SelectionBarReachesTheRightEdgeWhileShown) {
    for (int column = 0; column < 3; ++column)
        list.header()->resizeSection(column, 60);
    list.selectionModel()->select(model.index(0, 0),
                                  QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    const QRect bar = list.RowRect(0);
    EXPECT_EQ(bar.left(), 0);
    EXPECT_EQ(bar.right(), list.viewport()->width() - 1);
    list.SetStretchToClient(false);
    EXPECT_EQ(list.RowRect(0).right(), 179);
    list.SetStretchToClient(true);

    const QPoint beyondColumns(list.viewport()->width() - 5, bar.center().y());
    const QColor highlight = list.palette().color(QPalette::Highlight);
    const QColor base = list.palette().color(QPalette::Base);

    ASSERT_FALSE(list.hasFocus());
    EXPECT_FALSE(list.IsRowDrawnSelected(0));
    EXPECT_EQ(list.viewport()->grab().toImage().pixelColor(beyondColumns), base);

    list.SetShowSelectionAlways(true);
    EXPECT_TRUE(list.IsRowDrawnSelected(0));
    EXPECT_EQ(list.viewport()->grab().toImage().pixelColor(beyondColumns), highlight);
    // The second row is not selected.
    const QPoint secondRow(beyondColumns.x(), list.RowRect(1).center().y());
    EXPECT_EQ(list.viewport()->grab().toImage().pixelColor(secondRow), base);
}
} // namespace

} // namespace kt
