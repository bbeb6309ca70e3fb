#pragma once

#include <QRect>
#include <QString>
#include <QTreeView>

#include <memory>

class QFontMetrics;
class QStyledItemDelegate;

namespace kt {

// A report list that draws its rows itself: the selection bar covers the
// whole row (all columns and, with stretch-to-client, the rest of the
// viewport's width), the first column is always drawn left-aligned, every
// further column as its header's alignment says, and a text that does not
// fit its column is cut and ends in "..." (then always left-aligned).
//
// A row counts as selected only while the list has the focus, unless
// show-selection-always is set; losing or gaining the focus repaints it.
class CListViewEx : public QTreeView {
    Q_OBJECT
public:
    // The first column's text keeps 2 pixels clear on each side; a further
    // column's text keeps 6 on each side.
    static constexpr int kFirstColumnInset = 2;
    static constexpr int kFirstColumnMargin = 2 * kFirstColumnInset;
    static constexpr int kColumnInset = 6;
    static constexpr int kColumnMargin = 2 * kColumnInset;
    // Rows are this much taller than the font's line height.
    static constexpr int kRowPadding = 4;

    // Where one cell's text is drawn, in viewport coordinates, and what.
    struct CellLayout {
        QRect textRect;      // the column's rectangle narrowed by the inset
        QString text;        // the text as drawn, shortened when it did not fit
        Qt::Alignment align; // horizontal alignment of the text
    };

    explicit CListViewEx(QWidget* parent = nullptr);
    ~CListViewEx() override;

    // The text unchanged when it is empty or its width plus margin is at most
    // width; otherwise as many leading characters as fit together with the
    // margin and "..." (at least one), followed by "...".
    static QString ShortenText(const QString& text, int width, int margin,
                               const QFontMetrics& metrics);

    // The selection bar of a row: from the first column's left edge to the
    // last column's right edge, or to the viewport's right edge when that is
    // further right and stretch-to-client is set.
    QRect RowRect(int row) const;
    // How the cell is laid out and what it shows after shortening.
    CellLayout LayoutCell(int row, int column) const;
    // Whether the row is drawn in the selection colours.
    bool IsRowDrawnSelected(int row) const;

    bool StretchToClient() const { return stretchToClient_; }
    void SetStretchToClient(bool stretch);
    bool ShowSelectionAlways() const { return showSelectionAlways_; }
    void SetShowSelectionAlways(bool always);

protected:
    void drawRow(QPainter* painter, const QStyleOptionViewItem& option,
                 const QModelIndex& index) const override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void selectionChanged(const QItemSelection& selected,
                          const QItemSelection& deselected) override;
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;

private:
    Qt::Alignment ColumnAlignment(int column) const;

    std::unique_ptr<QStyledItemDelegate> rowHeight_;
    bool stretchToClient_ = true;
    bool showSelectionAlways_ = false;
};

} // namespace kt
