#include "CSettingSheet.h"

#include <QDialogButtonBox>
#include <QTabWidget>
#include <QVBoxLayout>

CSettingSheet::CSettingSheet(QWidget* parent, int startPage)
    : QDialog(parent), tabs_(new QTabWidget(this)),
      buttons_(new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this)),
      startPage_(startPage) {
    setWindowTitle(QStringLiteral("Setting"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabs_);
    layout->addWidget(buttons_);
    // A sheet keeps the size its pages ask for.
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(buttons_, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons_, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(tabs_, &QTabWidget::currentChanged, this, [this](int index) {
        if (reportPageChanges_ && index >= 0)
            emit PageChanged(index);
    });
}

void CSettingSheet::AddPage(QWidget* page) {
    const int index = tabs_->addTab(page, page->windowTitle());
    if (index == startPage_)
        tabs_->setCurrentIndex(index);
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
