#include "CUpdateAirportDataDlg.h"

#include "CAirportData.h"
#include "CompanionProgram.h"
#include "ui_CUpdateAirportDataDlg.h"

#include <QProcess>
#include <QPushButton>

namespace kt {

namespace {
constexpr char kDownloader[] = "kt-m220-cli";
constexpr int kStopWaitMs = 5000;
} // namespace

CUpdateAirportDataDlg::CUpdateAirportDataDlg(QWidget* parent)
    : QDialog(parent), ui_(std::make_unique<Ui::CUpdateAirportDataDlg>()) {
    ui_->setupUi(this);
    ui_->urlEdit->setText(QString::fromLatin1(CAirportData::kDownloadUrl));
    updateButton_ =
        ui_->buttonBox->addButton(QStringLiteral("&Update"), QDialogButtonBox::ActionRole);
    updateButton_->setDefault(true);
    connect(updateButton_, &QPushButton::clicked, this, &CUpdateAirportDataDlg::StartUpdate);
    connect(ui_->buttonBox, &QDialogButtonBox::rejected, this, &CUpdateAirportDataDlg::reject);
    ui_->progressBar->setVisible(false);
    ShowCurrent();
}

CUpdateAirportDataDlg::~CUpdateAirportDataDlg() {
    // A download still running is stopped; the table in use stays as it was.
    if (process_) {
        process_->disconnect(this);
        process_->terminate();
        if (!process_->waitForFinished(kStopWaitMs)) {
            process_->kill();
            process_->waitForFinished(kStopWaitMs);
        }
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
    if (process_)
        return;
    outcome_ = {};
    const QString program = FindCompanionProgram(kDownloader, "cli");
    if (program.isEmpty()) {
        outcome_.message = std::string(kDownloader) + ", which downloads the table, is not found";
        ShowOutcome();
        return;
    }
    cancel_ = false;
    partial_.clear();
    reported_ = {};
    updateButton_->setEnabled(false);
    ui_->urlEdit->setEnabled(false);
    ui_->buttonBox->button(QDialogButtonBox::Close)->setText(QStringLiteral("Cancel"));
    ui_->progressBar->setVisible(true);
    ui_->progressBar->setRange(0, 0); // busy until the size is known
    ui_->statusLabel->setText(QStringLiteral("Downloading..."));
    process_ = new QProcess(this);
    connect(process_, &QProcess::readyReadStandardError, this,
            &CUpdateAirportDataDlg::ReadProgress);
    connect(process_, &QProcess::finished, this, &CUpdateAirportDataDlg::OnFinished);
    connect(process_, &QProcess::errorOccurred, this, [this](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart)
            OnFinished();
    });
    process_->start(program, {QStringLiteral("airports"), QStringLiteral("--update"),
                              QStringLiteral("--from"), ui_->urlEdit->text().trimmed(),
                              QStringLiteral("--progress")});
}

// kt-m220-cli's report lines: each percentage moves the bar; the last line
// says how the update ended.
void CUpdateAirportDataDlg::ReadProgress() {
    TakeLines(process_->readAllStandardError());
}

void CUpdateAirportDataDlg::TakeLines(const QByteArray& bytes) {
    partial_ += bytes;
    qsizetype end = 0;
    while ((end = partial_.indexOf('\n')) >= 0) {
        const AirportUpdateReport::Line line = AirportUpdateReport::Read(
            std::string_view(partial_.constData(), static_cast<std::size_t>(end)));
        partial_.remove(0, end + 1);
        if (line.kind == AirportUpdateReport::Kind::kProgress) {
            ui_->progressBar->setRange(0, 100);
            ui_->progressBar->setValue(line.percent);
        } else if (line.kind != AirportUpdateReport::Kind::kOther) {
            reported_ = line;
        }
    }
}

void CUpdateAirportDataDlg::OnFinished() {
    QProcess* process = process_;
    process_ = nullptr;
    process->disconnect(this);
    process->deleteLater();
    // What is left, and a last line that came without its line end.
    TakeLines(process->readAllStandardError() + '\n');
    const bool exitedWell =
        process->exitStatus() == QProcess::NormalExit && process->exitCode() == 0;
    if (cancel_) {
        outcome_.cancelled = true;
        outcome_.message = "cancelled";
    } else if (process->error() == QProcess::FailedToStart) {
        outcome_.message = std::string(kDownloader) +
                           " could not be started: " + process->errorString().toStdString();
    } else if (reported_.kind == AirportUpdateReport::Kind::kUpdated && exitedWell) {
        outcome_.ok = true;
        outcome_.path = CAirportData::UserPath();
        outcome_.message = reported_.text;
    } else if (reported_.kind == AirportUpdateReport::Kind::kFailed) {
        outcome_.message = reported_.text;
    } else {
        outcome_.message = std::string(kDownloader) + " ended without saying how";
    }
    ShowOutcome();
}

void CUpdateAirportDataDlg::ShowOutcome() {
    ui_->progressBar->setVisible(false);
    updateButton_->setEnabled(true);
    ui_->urlEdit->setEnabled(true);
    ui_->buttonBox->button(QDialogButtonBox::Close)->setText(QStringLiteral("Close"));
    const QString message = QString::fromStdString(outcome_.message);
    ui_->statusLabel->setText(
        outcome_.ok ? QStringLiteral("Updated: %1.").arg(message)
                    : QStringLiteral("Not updated: %1. The airport data in use stays as it was.")
                          .arg(message));
    ShowCurrent();
    emit Finished();
}

void CUpdateAirportDataDlg::reject() {
    // Cancel while downloading stops the download; the dialog stays.
    if (process_) {
        cancel_ = true;
        process_->terminate();
        return;
    }
    QDialog::reject();
}

} // namespace kt
