#pragma once

#include "CListViewEx.h"
#include "IChannelListHost.h"

#include <QList>
#include <QStandardItemModel>

#include <memory>
#include <optional>
class QAction;
class QMenu;

namespace kt {

class CM220Radio;
struct CChannelRow;

// The channel list: the transceiver's 20 memory channels as 20 rows of 7
// right-aligned columns (channel number, "Prio" mark, frequency, name,
// "Inhibit", "Lockout" and an empty last column). Every text comes from the
// radio data object; the view keeps no channel data of its own. Row i always
// shows channel i + 1.
//
// Enter and a double-click ask for the Edit Memory command, the Delete key
// for the Clear command; the owner carries them out (the view does not look
// at their enabling). The Menu key and Shift+F10 open the popup menu at the
// current row, as a right-click does at the pointer. The column widths are read from the settings
// when the view is made (a missing or zero width gives the column's default, widened to show its
// title whole in the font in use; every width is kept within 20..400) and written back unchanged
// when it goes.
class CKTM220View : public CListViewEx, public IChannelListHost {
    Q_OBJECT
public:
    static constexpr int kRowCount = 20;
    static constexpr int kColumnCount = 7;
    static constexpr int kMinColumnWidth = 20;
    static constexpr int kMaxColumnWidth = 400;

    explicit CKTM220View(CM220Radio& radio, QWidget* parent = nullptr);
    ~CKTM220View() override;

    // A new document or a file opened: channel 1 selected, every row rebuilt.
    void InitialUpdate();
    // Selects and shows the row of channel 1 to 20; other numbers do nothing.
    void SelectChannel(int channel);
    // Writes the 7 current column widths to the settings, unchanged.
    void SaveColumnWidths();

    // The settings sheet page to open first (zero-based); the sheet reports
    // every page change here. It lasts as long as the view.
    int StartPageIndex() const { return startPageIndex_; }
    void SetStartPageIndex(int index) { startPageIndex_ = index; }

    // The channel popup menu's items in menu order; a null pointer or a
    // separator action stands for a separator. The actions stay the owner's.
    void SetPopupActions(const QList<QAction*>& actions);
    QMenu* PopupMenu() const { return popup_.get(); }

    // The text shown in one cell (channel 1 to 20, column 0 to 6).
    QString CellText(int channel, int column) const;
    // What a screen reader says for a row: the channel and every cell that is
    // not empty, in words (channel 1 to 20).
    QString RowAccessibleText(int channel) const;
    // Where the popup menu opens from the keyboard: below the current row's
    // first cell, in global coordinates.
    QPoint KeyboardPopupPosition() const;

    // IChannelListHost
    int CurrentChannel() const override;
    bool AnyRowSelected() const override;
    void RefreshChannel(int channel) override;
    void RefreshAllRows() override;
    QWidget* DialogParent() override;

signals:
    // Enter or a double-click anywhere in the list.
    void editMemoryRequested();
    // The Delete key.
    void clearRequested();
    // The popup menu is about to open: the owner brings its actions' enabling
    // up to date for the current channel.
    void popupMenuAboutToShow();

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    void CreateColumns();
    void ShowPopupMenu(std::optional<QPoint> pointerPos);
    void CopyRowCells(int channel, const CChannelRow& row);

    CM220Radio& radio_;
    QStandardItemModel model_;
    std::unique_ptr<QMenu> popup_;
    int startPageIndex_ = 0;
};

} // namespace kt
