#include "CAboutDlg.h"

#include "CAppPictures.h"
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
    new CAppPictures(this, ui_->iconLabel, ui_->logoLabel); // the dialog's child
    ui_->revisionLabel->setText(QString::fromLatin1(CAppVersion::kRevisionText));
    ui_->makerLabel->setText(CAppVersion::MakerLine());
    connect(ui_->okButton, &QPushButton::clicked, this, &QDialog::accept);
    setFixedSize(sizeHint());
}

CAboutDlg::~CAboutDlg() = default;

} // namespace kt
