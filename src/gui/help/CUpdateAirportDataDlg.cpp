#include "CUpdateAirportDataDlg.h"

#include "CAirportData.h"
#include "ui_CUpdateAirportDataDlg.h"

#include <QPushButton>
#include <QThread>

namespace kt {

CUpdateAirportDataDlg::CUpdateAirportDataDlg(QWidget* parent)
    : QDialog(parent), ui_(std::make_unique<Ui::CUpdateAirportDataDlg>()) {
    ui_->setupUi(this);
    ui_->urlEdit->setText(QString::fromLatin1(CAirportUpdate::kDefaultUrl));
    updateButton_ =
        ui_->buttonBox->addButton(QStringLiteral("&Update"), QDialogButtonBox::ActionRole);
    updateButton_->setDefault(true);
    connect(updateButton_, &QPushButton::clicked, this, &CUpdateAirportDataDlg::StartUpdate);
    connect(ui_->buttonBox, &QDialogButtonBox::rejected, this, &CUpdateAirportDataDlg::reject);
    ui_->progressBar->setVisible(false);
    ShowCurrent();
}

CUpdateAirportDataDlg::~CUpdateAirportDataDlg() {
    if (worker_) {
        cancel_ = true;
        worker_->wait();
    }
}

void CUpdateAirportDataDlg::SetUrl(const QString& url) {
    ui_->urlEdit->setText(url);
}

void CUpdateAirportDataDlg::ShowCurrent() {
    CAirportData data;
    std::string error;
    if (!data.Load(error)) {
        ui_->currentLabel->setText(QString::fromStdString(error));
        return;
    }
    ui_->currentLabel->setText(
        QStringLiteral("The airport data in use is of %1: %2 frequencies (%3 in the airband), "
                       "%4")
            .arg(QString::fromStdString(data.Date()))
            .arg(data.Table().Size())
            .arg(data.Table().InBandCount())
            .arg(QString::fromStdString(data.Path())));
}

void CUpdateAirportDataDlg::StartUpdate() {
    if (worker_)
        return;
    cancel_ = false;
    updateButton_->setEnabled(false);
    ui_->urlEdit->setEnabled(false);
    ui_->buttonBox->button(QDialogButtonBox::Close)->setText(QStringLiteral("Cancel"));
    ui_->progressBar->setVisible(true);
    ui_->progressBar->setRange(0, 0); // busy until the size is known
    ui_->statusLabel->setText(QStringLiteral("Downloading..."));
    const std::string url = ui_->urlEdit->text().trimmed().toStdString();
    worker_ = QThread::create([this, url] {
        result_ = CAirportUpdate::Run(url, [this](long long received, long long total) {
            QMetaObject::invokeMethod(
                this, [this, received, total] { OnProgress(received, total); },
                Qt::QueuedConnection);
            return !cancel_;
        });
    });
    connect(worker_, &QThread::finished, this, &CUpdateAirportDataDlg::OnFinished);
    worker_->start();
}

void CUpdateAirportDataDlg::OnProgress(qint64 received, qint64 total) {
    if (!worker_ || total <= 0)
        return;
    ui_->progressBar->setRange(0, 1000);
    ui_->progressBar->setValue(static_cast<int>(received * 1000 / total));
}

void CUpdateAirportDataDlg::OnFinished() {
    worker_->deleteLater();
    worker_ = nullptr;
    ui_->progressBar->setVisible(false);
    updateButton_->setEnabled(true);
    ui_->urlEdit->setEnabled(true);
    ui_->buttonBox->button(QDialogButtonBox::Close)->setText(QStringLiteral("Close"));
    const QString message = QString::fromStdString(result_.message);
    ui_->statusLabel->setText(
        result_.ok ? QStringLiteral("Updated: %1.").arg(message)
                   : QStringLiteral("Not updated: %1. The airport data in use stays as it was.")
                         .arg(message));
    ShowCurrent();
    emit Finished();
}

void CUpdateAirportDataDlg::reject() {
    // Cancel while downloading stops the download; the dialog stays.
    if (worker_) {
        cancel_ = true;
        return;
    }
    QDialog::reject();
}

} // namespace kt
