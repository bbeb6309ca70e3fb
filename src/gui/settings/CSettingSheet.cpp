#include "CSettingSheet.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QKeySequence>
#include <QShortcut>
#include <QTabWidget>
#include <QVBoxLayout>

namespace kt {

namespace {
// The keys that turn the pages wherever the focus is in the sheet, as in
// every tabbed dialog: forward and back, round the ends.
const QKeyCombination kNextPageKeys[] = {
    QKeyCombination(Qt::ControlModifier, Qt::Key_Tab),
    QKeyCombination(Qt::ControlModifier, Qt::Key_PageDown),
};
const QKeyCombination kPreviousPageKeys[] = {
    QKeyCombination(Qt::ControlModifier | Qt::ShiftModifier, Qt::Key_Backtab),
    QKeyCombination(Qt::ControlModifier | Qt::ShiftModifier, Qt::Key_Tab),
    QKeyCombination(Qt::ControlModifier, Qt::Key_PageUp),
};
} // namespace

CSettingSheet::CSettingSheet(QWidget* parent, int startPage)
    : QDialog(parent), tabs_(new QTabWidget(this)),
      buttons_(new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this)),
      startPage_(startPage) {
    setWindowTitle(QStringLiteral("Setting"));
    tabs_->setAccessibleName(QStringLiteral("Setting pages"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabs_);
    layout->addWidget(buttons_);
    // A sheet keeps the size its pages ask for.
    layout->setSizeConstraint(QLayout::SetFixedSize);
    ApplySheetFont();

    connect(buttons_, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons_, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(tabs_, &QTabWidget::currentChanged, this, [this](int index) {
        if (reportPageChanges_ && index >= 0)
            emit PageChanged(index);
    });
    for (const QKeyCombination key : kNextPageKeys)
        connect(new QShortcut(QKeySequence(key), this), &QShortcut::activated, this,
                [this] { TurnPage(1); });
    for (const QKeyCombination key : kPreviousPageKeys)
        connect(new QShortcut(QKeySequence(key), this), &QShortcut::activated, this,
                [this] { TurnPage(-1); });
}

// The sheet's own font is the application's, italic and 50 pixels high. Qt
// hands a widget's font on to its children, so the tabs (and with them the
// pages) and the buttons are given the application's font explicitly: they
// keep it, and only the sheet itself holds the italic one.
void CSettingSheet::ApplySheetFont() {
    QFont own = QApplication::font(this);
    const QFont application = own;
    own.setItalic(true);
    own.setPixelSize(kFontHeight);

    QFont children = application;
    children.setFamilies(application.families());
    children.setStyle(application.style());
    children.setWeight(application.weight());
    if (application.pointSizeF() > 0)
        children.setPointSizeF(application.pointSizeF());
    else
        children.setPixelSize(application.pixelSize());
    tabs_->setFont(children);
    buttons_->setFont(children);
    setFont(own);
}

void CSettingSheet::TurnPage(int step) {
    const int count = tabs_->count();
    if (count > 1)
        tabs_->setCurrentIndex((tabs_->currentIndex() + step + count) % count);
}

void CSettingSheet::AddPage(QWidget* page) {
    const int index = tabs_->addTab(page, page->windowTitle());
    if (index == startPage_)
        tabs_->setCurrentIndex(index);
    KeepButtonsLast();
}

// A page added joins Tab's round at its end, after OK and Cancel; they are
// put back at the end, so that Tab goes through the pages' controls first,
// as they are laid out. The button box itself would pass the focus on to its
// first button wherever it stands in the round: it is left out.
void CSettingSheet::KeepButtonsLast() {
    buttons_->setFocusProxy(nullptr);
    QList<QWidget*> buttons;
    for (QWidget* w = nextInFocusChain(); w != this; w = w->nextInFocusChain())
        if (w->parentWidget() == buttons_)
            buttons << w;
    for (QWidget* button : buttons)
        QWidget::setTabOrder(previousInFocusChain(), button);
}

int CSettingSheet::CurrentPage() const {
    return tabs_->currentIndex();
}

void CSettingSheet::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    reportPageChanges_ = true;
}

void CSettingSheet::done(int result) {
    // Pages that leave the sheet after it has ended change its current tab;
    // that is no choice of the user's.
    reportPageChanges_ = false;
    QDialog::done(result);
}

} // namespace kt
