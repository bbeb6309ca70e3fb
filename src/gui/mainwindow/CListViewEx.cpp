#include "CListViewEx.h"

#include <QFocusEvent>
#include <QFontMetrics>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QPainter>
#include <QStyleOptionFocusRect>
#include <QStyledItemDelegate>

#include <algorithm>

namespace kt {

namespace {
const QString kDots = QStringLiteral("...");

// How a cell's text is drawn: one line, vertically centred, never clipped to
// its rectangle, no mnemonic or tab handling.
constexpr int kTextFlags = Qt::AlignVCenter | Qt::TextSingleLine | Qt::TextDontClip;

// A cut must not fall between the two halves of a surrogate pair.
bool SplitsPair(const QString& text, qsizetype length) {
    return length > 0 && length < text.size() && text.at(length - 1).isHighSurrogate();
}

// Gives every row the font's line height and a little room above and below.
class RowHeightDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        QSize size = QStyledItemDelegate::sizeHint(option, index);
        size.setHeight(option.fontMetrics.height() + CListViewEx::kRowPadding);
        return size;
    }
};

// Column titles that do not fit their section end in "...", like the texts.
class ElidingHeader : public QHeaderView {
public:
    explicit ElidingHeader(QWidget* parent) : QHeaderView(Qt::Horizontal, parent) {}

protected:
    void initStyleOptionForIndex(QStyleOptionHeader* option, int logicalIndex) const override {
        QHeaderView::initStyleOptionForIndex(option, logicalIndex);
        option->rect = QRect(0, 0, sectionSize(logicalIndex), height());
        const QRect label = style()->subElementRect(QStyle::SE_HeaderLabel, option, this);
        option->text = option->fontMetrics.elidedText(option->text, Qt::ElideRight, label.width());
    }
};
} // namespace

CListViewEx::CListViewEx(QWidget* parent)
    : QTreeView(parent), rowHeight_(std::make_unique<RowHeightDelegate>()) {
    setItemDelegate(rowHeight_.get());
    // The list owns its header from here on.
    setHeader(std::make_unique<ElidingHeader>(this).release());
    setRootIsDecorated(false);
    setItemsExpandable(false);
    setIndentation(0);
    setUniformRowHeights(true);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setAllColumnsShowFocus(true);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setTextElideMode(Qt::ElideNone);
    header()->setStretchLastSection(false);
    header()->setSectionsMovable(false);
    header()->setHighlightSections(false);
    header()->setMinimumSectionSize(0);
}

CListViewEx::~CListViewEx() = default;

QString CListViewEx::ShortenText(const QString& text, int width, int margin,
                                 const QFontMetrics& metrics) {
    if (text.isEmpty() || metrics.horizontalAdvance(text) + margin <= width)
        return text;
    const int dotsWidth = metrics.horizontalAdvance(kDots);
    qsizetype length = std::max<qsizetype>(text.size() - 1, 1);
    while (length > 1) {
        if (!SplitsPair(text, length) &&
            metrics.horizontalAdvance(text.left(length)) + margin + dotsWidth <= width)
            break;
        --length;
    }
    if (SplitsPair(text, length))
        ++length;
    return text.left(length) + kDots;
}

void CListViewEx::SetStretchToClient(bool stretch) {
    stretchToClient_ = stretch;
    viewport()->update();
}

void CListViewEx::SetShowSelectionAlways(bool always) {
    showSelectionAlways_ = always;
    viewport()->update();
}

QRect CListViewEx::RowRect(int row) const {
    if (model() == nullptr || model()->columnCount(rootIndex()) == 0)
        return {};
    const QRect cell = visualRect(model()->index(row, 0, rootIndex()));
    if (!cell.isValid())
        return {};
    const int left = columnViewportPosition(0);
    int right = header()->length() - header()->offset();
    if (stretchToClient_ && right < viewport()->width())
        right = viewport()->width();
    return QRect(QPoint(left, cell.top()), QPoint(right - 1, cell.bottom()));
}

Qt::Alignment CListViewEx::ColumnAlignment(int column) const {
    if (column == 0)
        return Qt::AlignLeft;
    const Qt::Alignment align =
        Qt::Alignment(model()->headerData(column, Qt::Horizontal, Qt::TextAlignmentRole).toInt());
    if (align & Qt::AlignRight)
        return Qt::AlignRight;
    if (align & Qt::AlignHCenter)
        return Qt::AlignHCenter;
    return Qt::AlignLeft;
}

CListViewEx::CellLayout CListViewEx::LayoutCell(int row, int column) const {
    CellLayout layout{QRect(), QString(), Qt::AlignLeft};
    const QRect bar = RowRect(row);
    if (!bar.isValid() || column < 0 || column >= model()->columnCount(rootIndex()))
        return layout;
    const QRect cell(columnViewportPosition(column), bar.top(), columnWidth(column), bar.height());
    const QString text = model()->index(row, column, rootIndex()).data().toString();
    const QFontMetrics metrics(font());
    if (column == 0) {
        layout.text = ShortenText(text, cell.width(), kFirstColumnMargin, metrics);
        layout.textRect = cell.adjusted(kFirstColumnInset, 0, -kFirstColumnInset, 0);
        return layout;
    }
    layout.text = ShortenText(text, cell.width(), kColumnMargin, metrics);
    layout.align = layout.text == text ? ColumnAlignment(column) : Qt::AlignLeft;
    layout.textRect = cell.adjusted(kColumnInset, 0, -kColumnInset, 0);
    return layout;
}

bool CListViewEx::IsRowDrawnSelected(int row) const {
    if (selectionModel() == nullptr || !selectionModel()->isRowSelected(row, rootIndex()))
        return false;
    return hasFocus() || showSelectionAlways_;
}

void CListViewEx::drawRow(QPainter* painter, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const {
    const int row = index.row();
    const QRect bar = RowRect(row);
    if (!bar.isValid())
        return;
    const bool selected = IsRowDrawnSelected(row);
    const QPalette& colours = option.palette;

    painter->save();
    painter->fillRect(bar, colours.color(selected ? QPalette::Highlight : QPalette::Base));
    painter->setPen(colours.color(selected ? QPalette::HighlightedText : QPalette::Text));
    painter->setFont(font());
    const int columns = model()->columnCount(rootIndex());
    for (int column = 0; column < columns; ++column) {
        const CellLayout cell = LayoutCell(row, column);
        if (!cell.text.isEmpty())
            painter->drawText(cell.textRect, kTextFlags | cell.align, cell.text);
    }
    if (hasFocus() && currentIndex().isValid() && currentIndex().row() == row) {
        QStyleOptionFocusRect focus;
        focus.initFrom(this);
        focus.rect = bar;
        focus.state |= QStyle::State_KeyboardFocusChange;
        focus.backgroundColor = colours.color(selected ? QPalette::Highlight : QPalette::Base);
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, painter, this);
    }
    painter->restore();
}

// The selection colours depend on the focus, and the bar reaches beyond the
// cells that the item view would repaint by itself: repaint the rows whole.
void CListViewEx::focusInEvent(QFocusEvent* event) {
    QTreeView::focusInEvent(event);
    viewport()->update();
}

void CListViewEx::focusOutEvent(QFocusEvent* event) {
    QTreeView::focusOutEvent(event);
    viewport()->update();
}

void CListViewEx::selectionChanged(const QItemSelection& selected,
                                   const QItemSelection& deselected) {
    QTreeView::selectionChanged(selected, deselected);
    viewport()->update();
}

void CListViewEx::currentChanged(const QModelIndex& current, const QModelIndex& previous) {
    QTreeView::currentChanged(current, previous);
    viewport()->update();
}

} // namespace kt
