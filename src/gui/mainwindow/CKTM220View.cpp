#include "CKTM220View.h"

#include "CChannelRow.h"
#include "CSettingsStore.h"
#include "CWaitCursor.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>

#include <algorithm>
#include <array>
#include <optional>

namespace kt {

namespace {
struct ColumnDef {
    const char* title;
    int defaultWidth;
};

// The last column's default is wider than any width allowed, so that it
// opens at the greatest width unless a smaller one was saved.
constexpr std::array<ColumnDef, CKTM220View::kColumnCount> kColumns{{
    {"CH", 30},
    {"Prio", 50},
    {"Frequency", 100},
    {"Name", 100},
    {"Tx Inhibit", 90},
    {"Memory Lockout", 90},
    {"  ", 30000},
}};

QString WidthKey(int column) {
    return QString::fromLatin1(SettingsKey::kColumnWidthPrefix) + QString::number(column);
}

// A saved width of 0 (or none) means the column's default, widened where the
// title would not fit in it with the font in use; any width is then kept
// between the smallest and the greatest allowed.
int InitialWidth(int saved, int defaultWidth, int titleWidth) {
    const int width = saved == 0 ? std::max(defaultWidth, titleWidth) : saved;
    return std::clamp(width, CKTM220View::kMinColumnWidth, CKTM220View::kMaxColumnWidth);
}

// The words a screen reader says for a row; an empty cell says nothing.
QString SpokenRow(const CChannelRow& row) {
    const auto cell = [&row](int column) {
        return QString::fromLatin1(row.cells[static_cast<std::size_t>(column)]).trimmed();
    };
    const auto title = [](int column) {
        return QString::fromLatin1(kColumns[static_cast<std::size_t>(column)].title);
    };
    const QString number = cell(0);
    bool isNumber = false;
    const int channel = number.toInt(&isNumber);
    QString spoken = QStringLiteral("Channel ") + (isNumber ? QString::number(channel) : number);
    QStringList parts;
    if (!cell(1).isEmpty())
        parts << QStringLiteral("priority channel");
    QString frequency = cell(2);
    if (!frequency.isEmpty()) {
        // A frequency the transceiver cannot use is marked with " ?".
        const bool illegal = frequency.endsWith(QLatin1Char('?'));
        if (illegal)
            frequency.chop(1);
        parts << frequency.trimmed() + QStringLiteral(" MHz");
        if (illegal)
            parts << QStringLiteral("not a legal frequency");
    }
    if (!cell(3).isEmpty())
        parts << QStringLiteral("name ") + cell(3);
    // "Inhibit" and "Lockout" say more under their column titles.
    for (int column : {4, 5})
        if (!cell(column).isEmpty())
            parts << title(column);
    if (parts.isEmpty())
        return spoken + QStringLiteral(", empty");
    return spoken + QStringLiteral(": ") + parts.join(QStringLiteral(", "));
}

bool IsPlainKey(const QKeyEvent* key, std::initializer_list<int> keys) {
    const Qt::KeyboardModifiers held = key->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier |
                                                           Qt::AltModifier | Qt::MetaModifier);
    return held == Qt::NoModifier && std::find(keys.begin(), keys.end(), key->key()) != keys.end();
}
} // namespace

CKTM220View::CKTM220View(CM220Radio& radio, QWidget* parent)
    : CListViewEx(parent), radio_(radio), model_(kRowCount, kColumnCount) {
    setSelectionMode(QAbstractItemView::SingleSelection);
    setAccessibleName(QStringLiteral("Memory channels"));
    setAccessibleDescription(QStringLiteral(
        "Enter edits the selected channel, Delete clears it, Shift+F10 opens its menu."));
    for (int row = 0; row < kRowCount; ++row)
        for (int column = 0; column < kColumnCount; ++column) {
            auto item = std::make_unique<QStandardItem>();
            item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
            model_.setItem(row, column, item.release());
        }
    setModel(&model_);
    CreateColumns();
    InitialUpdate();
}

CKTM220View::~CKTM220View() {
    SaveColumnWidths();
}

void CKTM220View::CreateColumns() {
    CSettingsStore settings;
    for (int column = 0; column < kColumnCount; ++column) {
        const ColumnDef& def = kColumns[static_cast<std::size_t>(column)];
        model_.setHeaderData(column, Qt::Horizontal, QString::fromLatin1(def.title));
        // The first column of a report list is always left-aligned.
        const Qt::Alignment align = column == 0 ? Qt::AlignLeft : Qt::AlignRight;
        model_.setHeaderData(column, Qt::Horizontal, int(align | Qt::AlignVCenter),
                             Qt::TextAlignmentRole);
        const int saved = settings.GetInt(SettingsKey::kColumnSection, WidthKey(column), 0);
        header()->resizeSection(
            column, InitialWidth(saved, def.defaultWidth, header()->sectionSizeHint(column)));
    }
}

void CKTM220View::SaveColumnWidths() {
    CSettingsStore settings;
    for (int column = 0; column < kColumnCount; ++column)
        settings.WriteInt(SettingsKey::kColumnSection, WidthKey(column),
                          header()->sectionSize(column));
    settings.Sync();
}

void CKTM220View::InitialUpdate() {
    SelectChannel(1);
    RefreshAllRows();
}

void CKTM220View::SelectChannel(int channel) {
    if (channel < 1 || channel > kRowCount)
        return;
    const QModelIndex index = model_.index(channel - 1, 0);
    selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect |
                                                 QItemSelectionModel::Rows);
    scrollTo(index, QAbstractItemView::EnsureVisible);
}

int CKTM220View::CurrentChannel() const {
    const QModelIndexList rows = selectionModel()->selectedRows();
    if (rows.isEmpty())
        return 1;
    int first = rows.front().row();
    for (const QModelIndex& index : rows)
        first = std::min(first, index.row());
    return first + 1;
}

bool CKTM220View::AnyRowSelected() const {
    return selectionModel()->hasSelection();
}

void CKTM220View::CopyRowCells(int channel, const CChannelRow& row) {
    for (int column = 0; column < kColumnCount; ++column)
        model_.item(channel - 1, column)
            ->setText(QString::fromLatin1(row.cells[static_cast<std::size_t>(column)]));
    // The first cell is the one that takes the focus: it speaks for the row.
    model_.item(channel - 1, 0)->setData(SpokenRow(row), Qt::AccessibleTextRole);
}

void CKTM220View::RefreshChannel(int channel) {
    if (channel < 1 || channel > kRowCount)
        return;
    CopyRowCells(channel, CChannelRow::Build(radio_, channel));
}

// Every row is asked of the engine first and only then shown.
void CKTM220View::RefreshAllRows() {
    const CWaitCursor wait;
    std::array<CChannelRow, kRowCount> rows;
    for (int channel = 1; channel <= kRowCount; ++channel)
        rows[static_cast<std::size_t>(channel - 1)] = CChannelRow::Build(radio_, channel);
    for (int channel = 1; channel <= kRowCount; ++channel)
        CopyRowCells(channel, rows[static_cast<std::size_t>(channel - 1)]);
}

QWidget* CKTM220View::DialogParent() {
    return window();
}

QString CKTM220View::CellText(int channel, int column) const {
    if (channel < 1 || channel > kRowCount || column < 0 || column >= kColumnCount)
        return {};
    return model_.item(channel - 1, column)->text();
}

QString CKTM220View::RowAccessibleText(int channel) const {
    if (channel < 1 || channel > kRowCount)
        return {};
    return model_.item(channel - 1, 0)->data(Qt::AccessibleTextRole).toString();
}

void CKTM220View::SetPopupActions(const QList<QAction*>& actions) {
    popup_ = std::make_unique<QMenu>(this);
    for (QAction* action : actions) {
        if (action == nullptr || action->isSeparator())
            popup_->addSeparator();
        else
            popup_->addAction(action);
    }
}

// Enter and Delete belong to the list even where the window has shortcuts for
// them: Delete clears at once, whatever the Clear command's enabling says.
bool CKTM220View::event(QEvent* event) {
    if (event->type() == QEvent::ShortcutOverride &&
        IsPlainKey(static_cast<QKeyEvent*>(event),
                   {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Delete})) {
        event->accept();
        return true;
    }
    return CListViewEx::event(event);
}

void CKTM220View::keyPressEvent(QKeyEvent* event) {
    if (event->keyCombination() == QKeyCombination(Qt::ShiftModifier, Qt::Key_F10)) {
        event->accept();
        ShowPopupMenu(std::nullopt);
        return;
    }
    if (IsPlainKey(event, {Qt::Key_Return, Qt::Key_Enter})) {
        emit editMemoryRequested();
        event->accept();
        return;
    }
    if (IsPlainKey(event, {Qt::Key_Delete}))
        emit clearRequested();
    CListViewEx::keyPressEvent(event);
}

// A double-click anywhere in the list, on a row or below the last one, asks
// for the Edit Memory command; the owner says so when no row is selected.
void CKTM220View::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        CListViewEx::mouseDoubleClickEvent(event);
        return;
    }
    emit editMemoryRequested();
    event->accept();
}

QPoint CKTM220View::KeyboardPopupPosition() const {
    const QModelIndex current = currentIndex();
    if (!current.isValid())
        return viewport()->mapToGlobal(QPoint(0, 0));
    const QRect cell = visualRect(model_.index(current.row(), 0));
    return viewport()->mapToGlobal(cell.bottomLeft() + QPoint(cell.height() / 2, 1));
}

// The Menu key comes here too: the windowing system turns it into a context
// menu event for the focus widget. From the keyboard the menu opens at the
// current row, not at the pointer, which may be anywhere.
void CKTM220View::contextMenuEvent(QContextMenuEvent* event) {
    event->accept();
    if (event->reason() == QContextMenuEvent::Keyboard)
        ShowPopupMenu(std::nullopt);
    else
        ShowPopupMenu(event->globalPos());
}

// Without a pointer position the menu opens at the current row, which is
// scrolled into view first.
void CKTM220View::ShowPopupMenu(std::optional<QPoint> pointerPos) {
    window()->activateWindow();
    if (!popup_ || popup_->isEmpty())
        return;
    if (!pointerPos && currentIndex().isValid())
        scrollTo(currentIndex());
    emit popupMenuAboutToShow();
    popup_->exec(pointerPos.value_or(KeyboardPopupPosition()));
}

} // namespace kt
