#include "CCloneProgressDlg.h"

#include "ui_CCloneProgressDlg.h"

#include <QApplication>
#include <QCloseEvent>
#include <QMainWindow>
#include <QPushButton>
#include <QWindow>

namespace kt {

namespace {
const char kCaption[] = "Cloning";

QWidget* ApplicationMainWindow() {
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (qobject_cast<QMainWindow*>(widget) != nullptr)
            return widget;
    return nullptr;
}
} // namespace

CCloneProgressDlg::CCloneProgressDlg(QWidget* owner)
    : QDialog(nullptr, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      ui_(std::make_unique<Ui::CCloneProgressDlg>()),
      owner_(owner != nullptr ? owner->window() : ApplicationMainWindow()) {
    ui_->setupUi(this);
    setWindowTitle(QString::fromLatin1(kCaption));
    ui_->progressBar->setRange(kRangeLow, kRangeHigh);
    ui_->progressBar->setValue(kRangeLow);
    connect(ui_->cancelButton, &QPushButton::clicked, this, &CCloneProgressDlg::reject);
}

CCloneProgressDlg::~CCloneProgressDlg() {
    const bool wasActive = isActiveWindow();
    EnableOwner();
    hide();
    // The owner takes the activation back, as it had it before the dialog.
    if (wasActive && owner_ != nullptr && owner_->isEnabled())
        owner_->activateWindow();
}

bool CCloneProgressDlg::Create() {
    if (owner_ != nullptr && owner_->isEnabled()) {
        owner_->setEnabled(false);
        ownerDisabled_ = true;
    }
    if (owner_ != nullptr) {
        // Kept above the owner by the window manager, and centred over it.
        winId();
        if (QWindow* window = windowHandle(); window != nullptr && owner_->windowHandle())
            window->setTransientParent(owner_->windowHandle());
        adjustSize();
        move(owner_->frameGeometry().center() - rect().center());
    }
    show();
    raise();
    activateWindow();
    if (!isVisible()) {
        EnableOwner();
        return false;
    }
    return true;
}

void CCloneProgressDlg::EnableOwner() {
    if (ownerDisabled_ && owner_ != nullptr)
        owner_->setEnabled(true);
    ownerDisabled_ = false;
}

void CCloneProgressDlg::PumpMessages() {
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}

int CCloneProgressDlg::SetPos(int pos) {
    PumpMessages();
    const int previous = ui_->progressBar->value();
    ui_->progressBar->setValue(pos);
    return previous;
}

bool CCloneProgressDlg::CheckCancel() {
    PumpMessages();
    const bool requested = cancelRequested_;
    cancelRequested_ = false;
    return requested;
}

int CCloneProgressDlg::Pos() const {
    return ui_->progressBar->value();
}

void CCloneProgressDlg::reject() {
    cancelRequested_ = true;
}

void CCloneProgressDlg::closeEvent(QCloseEvent* event) {
    event->ignore();
    cancelRequested_ = true;
}

} // namespace kt
