#pragma once

#include <QDialog>

class QDialogButtonBox;
class QTabWidget;

namespace kt {

// The "Setting" sheet: a dialog with one tab per page and the buttons OK and
// Cancel only. It opens on the start page and tells, through PageChanged,
// which page the user switches to, so that the next sheet can open there.
// Ctrl+Tab and Ctrl+PgDn turn to the next page, Ctrl+Shift+Tab and Ctrl+PgUp
// to the previous one, wherever the focus is in the sheet.
class CSettingSheet : public QDialog {
    Q_OBJECT
public:
    // The height of the sheet's own (italic) font, in pixels.
    static constexpr int kFontHeight = 50;

    CSettingSheet(QWidget* parent, int startPage);

    void done(int result) override;

    // Adds a page as the next tab, titled with the page's window title. The
    // sheet does not own the page's lifetime beyond Qt's parent rules: a page
    // destroyed first simply leaves its tab.
    void AddPage(QWidget* page);
    int CurrentPage() const;
    QTabWidget* Tabs() const { return tabs_; }
    QDialogButtonBox* Buttons() const { return buttons_; }

signals:
    // The user has just made the page with this zero-based index the active one.
    void PageChanged(int index);

protected:
    void showEvent(QShowEvent* event) override;

private:
    // Makes the page step pages on (or back, when negative) the current one.
    void TurnPage(int step);
    void KeepButtonsLast();
    void ApplySheetFont();

    QTabWidget* tabs_;
    QDialogButtonBox* buttons_;
    int startPage_;
    // On only while the sheet is open, so that adding the pages, choosing the
    // start page and removing the pages are not taken for the user's choice.
    bool reportPageChanges_ = false;
};

} // namespace kt
