#pragma once

#include "AirportUpdateReport.h"

#include <QDialog>

#include <memory>
#include <string>

class QProcess;
class QPushButton;

namespace Ui {
class CUpdateAirportDataDlg;
}

namespace kt {

// Help > "Update Airport Data...": shows the airport table in use and its
// date, downloads the current table on Update (through kt-m220-cli airports
// --update, with a progress bar and Cancel), and says what came of it: the new
// table's size, or why the old one stays (offline, not the table, too small).
// The download runs in that program so that this one needs no network
// library of its own.
class CUpdateAirportDataDlg : public QDialog {
    Q_OBJECT
public:
    struct Outcome {
        bool ok = false;
        bool cancelled = false;
        std::string message; // what was installed, or what went wrong
        std::string path;    // the table installed
    };

    explicit CUpdateAirportDataDlg(QWidget* parent = nullptr);
    ~CUpdateAirportDataDlg() override;

    void SetUrl(const QString& url);
    // Starts the download (the Update button).
    void StartUpdate();
    bool IsRunning() const { return process_ != nullptr; }
    const Outcome& Result() const { return outcome_; }

signals:
    void Finished();

protected:
    void reject() override;

private:
    void ShowCurrent();
    void ReadProgress();
    void TakeLines(const QByteArray& bytes);
    void OnFinished();
    void ShowOutcome();

    std::unique_ptr<Ui::CUpdateAirportDataDlg> ui_;
    QPushButton* updateButton_ = nullptr;
    QProcess* process_ = nullptr;
    QByteArray partial_; // the start of a line still to come
    // kt-m220-cli's last "updated" or "failed" line, when one came.
    AirportUpdateReport::Line reported_;
    bool cancel_ = false;
    Outcome outcome_;
};

} // namespace kt
