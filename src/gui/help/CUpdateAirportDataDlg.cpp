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
// What kt-m220-cli says after a failure, before the reason, and after it.
constexpr char kErrorPrefix[] = "kt-m220-cli: ";
constexpr char kUnchanged[] = "; the airport table is unchanged";
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
    said_.clear();
    partial_.clear();
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

// "N %" lines move the bar; the other lines are kept for the outcome.
void CUpdateAirportDataDlg::ReadProgress() {
    partial_ += process_->readAllStandardError();
    qsizetype end = 0;
    while ((end = partial_.indexOf('\n')) >= 0) {
        const QByteArray line = partial_.left(end).trimmed();
        partial_.remove(0, end + 1);
        if (line.endsWith(" %")) {
            ui_->progressBar->setRange(0, 100);
            ui_->progressBar->setValue(line.chopped(2).toInt());
        } else {
            said_ += line + '\n';
        }
    }
}

void CUpdateAirportDataDlg::OnFinished() {
    QProcess* process = process_;
    process_ = nullptr;
    process->disconnect(this);
    process->deleteLater();
    const QByteArray output = process->readAllStandardOutput();
    const QString said = QString::fromLocal8Bit(said_ + partial_ + process->readAllStandardError());
    said_.clear();
    partial_.clear();
    if (cancel_) {
        outcome_.cancelled = true;
        outcome_.message = "cancelled";
    } else if (process->error() == QProcess::FailedToStart) {
        outcome_.message = std::string(kDownloader) +
                           " could not be started: " + process->errorString().toStdString();
    } else if (process->exitStatus() == QProcess::NormalExit && process->exitCode() == 0) {
        // "Updated PATH: what was installed"
        const std::string path = CAirportData::UserPath();
        const std::string text = QString::fromLocal8Bit(output).trimmed().toStdString();
        const std::size_t at = text.find(path + ": ");
        outcome_.ok = true;
        outcome_.path = path;
        outcome_.message = at == std::string::npos ? text : text.substr(at + path.size() + 2);
    } else {
        // The reason is the last line kt-m220-cli gave.
        for (const QString& line : said.split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
            QString reason = line.trimmed();
            if (!reason.startsWith(QLatin1String(kErrorPrefix)))
                continue;
            reason.remove(0, static_cast<int>(sizeof kErrorPrefix - 1));
            if (reason.endsWith(QLatin1String(kUnchanged)))
                reason.chop(static_cast<int>(sizeof kUnchanged - 1));
            outcome_.message = reason.toStdString();
        }
        if (outcome_.message.empty())
            outcome_.message = std::string(kDownloader) + " ended without a reason";
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
