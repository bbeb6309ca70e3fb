#include "CAboutDlg.h"

#include "CAppIcons.h"
#include "CAppVersion.h"
#include "ui_CAboutDlg.h"

#include <QPushButton>

CAboutDlg::CAboutDlg(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint),
      ui_(std::make_unique<Ui::CAboutDlg>()) {
    ui_->setupUi(this);
    ui_->iconLabel->setPixmap(CAppIcons::AppIconPixmap(this));
    ui_->logoLabel->setPixmap(CAppIcons::LogoPixmap(this));
    ui_->revisionLabel->setText(QString::fromLatin1(CAppVersion::kRevisionText));
    ui_->makerLabel->setText(CAppVersion::MakerLine());
    connect(ui_->okButton, &QPushButton::clicked, this, &QDialog::accept);
    setFixedSize(sizeHint());
}

CAboutDlg::~CAboutDlg() = default;
