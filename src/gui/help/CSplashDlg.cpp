#include "CSplashDlg.h"

#include "CAppPictures.h"
#include "CAppVersion.h"
#include "ui_CSplashDlg.h"

#include <QApplication>
#include <QScreen>
#include <QTimer>
#include <QWindow>

namespace kt {

namespace {
bool bannerEnabled = false;
int displayTimeMs = CSplashDlg::kDefaultDisplayTimeMs;
QPointer<CSplashDlg> banner;

bool IsMousePress(QEvent::Type type) {
    return type == QEvent::MouseButtonPress || type == QEvent::NonClientAreaMouseButtonPress ||
           type == QEvent::MouseButtonDblClick;
}
} // namespace

void CSplashDlg::EnableBanner(bool enable) {
    bannerEnabled = enable;
}

void CSplashDlg::SetBannerTime(int ms) {
    displayTimeMs = ms;
}

CSplashDlg* CSplashDlg::Banner() {
    return banner.data();
}

void CSplashDlg::ShowBanner(QWidget* parent) {
    if (!bannerEnabled || banner)
        return;
    auto* dialog = new CSplashDlg(parent); // deletes itself when hidden
    banner = dialog;
    dialog->show();
    qApp->installEventFilter(dialog);
    QTimer::singleShot(displayTimeMs, dialog, &CSplashDlg::HideBanner);
}

CSplashDlg::CSplashDlg(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      ui_(std::make_unique<Ui::CSplashDlg>()), owner_(parent) {
    ui_->setupUi(this);
    ui_->revisionLabel->setText(QString::fromLatin1(CAppVersion::kRevisionText));
    ui_->makerLabel->setText(CAppVersion::MakerLine());
    new CAppPictures(this, ui_->iconLabel, ui_->logoLabel); // the dialog's child
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(false);
    adjustSize();
    // Centred on its owner (or on the screen without one).
    const QRect area =
        parent && parent->isVisible() ? parent->frameGeometry() : screen()->availableGeometry();
    move(area.center() - rect().center());
}

CSplashDlg::~CSplashDlg() = default;

void CSplashDlg::HideBanner() {
    if (hiding_)
        return;
    hiding_ = true;
    qApp->removeEventFilter(this);
    banner = nullptr;
    close(); // deletes it
    if (owner_)
        owner_->repaint();
}

bool CSplashDlg::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (type == QEvent::ShortcutOverride) {
        // Qt asks whether a key is a shortcut before it delivers the key
        // press; claiming it for the widget keeps the shortcut from running,
        // and the key press that follows is consumed below.
        event->accept();
        return true;
    }
    if (type == QEvent::KeyPress || IsMousePress(type)) {
        HideBanner();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace kt
