#include "CAboutDlg.h"

#include "CAppIcons.h"
#include "CAppVersion.h"
#include "ui_CAboutDlg.h"

#include <QPushButton>
#include <QScreen>
#include <QWindow>

namespace kt {

CAboutDlg::CAboutDlg(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint),
      ui_(std::make_unique<Ui::CAboutDlg>()) {
    ui_->setupUi(this);
    ShowPictures();
    ui_->revisionLabel->setText(QString::fromLatin1(CAppVersion::kRevisionText));
    ui_->makerLabel->setText(CAppVersion::MakerLine());
    connect(ui_->okButton, &QPushButton::clicked, this, &QDialog::accept);
    setFixedSize(sizeHint());
}

CAboutDlg::~CAboutDlg() = default;

void CAboutDlg::ShowPictures() {
    ui_->iconLabel->setPixmap(CAppIcons::AppIconPixmap(this));
    ui_->logoLabel->setPixmap(CAppIcons::LogoPixmap(this));
}

// The pictures are drawn for one device pixel ratio and one palette: drawn
// again when the window is shown, moves to another screen, or the colour
// scheme changes.
void CAboutDlg::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (QWindow* window = windowHandle())
        connect(window, &QWindow::screenChanged, this, &CAboutDlg::ShowPictures,
                Qt::UniqueConnection);
    ShowPictures();
}

void CAboutDlg::changeEvent(QEvent* event) {
    QDialog::changeEvent(event);
    if (event->type() == QEvent::PaletteChange)
        ShowPictures();
}

} // namespace kt
