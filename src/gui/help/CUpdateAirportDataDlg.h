#pragma once

#include "CAirportUpdate.h"

#include <QDialog>

#include <atomic>
#include <memory>

class QPushButton;
class QThread;

namespace Ui {
class CUpdateAirportDataDlg;
}

namespace kt {

// Help > "Update Airport Data...": shows the airport table in use and its
// date, downloads the current table on Update (in a worker thread, with a
// progress bar and Cancel), and says what came of it: the new table's size, or
// why the old one stays (offline, not the table, too small).
class CUpdateAirportDataDlg : public QDialog {
    Q_OBJECT
public:
    explicit CUpdateAirportDataDlg(QWidget* parent = nullptr);
    ~CUpdateAirportDataDlg() override;

    void SetUrl(const QString& url);
    // Starts the download (the Update button).
    void StartUpdate();
    bool IsRunning() const { return worker_ != nullptr; }
    const CAirportUpdate::Result& Result() const { return result_; }

signals:
    void Finished();

protected:
    void reject() override;

private:
    void ShowCurrent();
    void OnProgress(qint64 received, qint64 total);
    void OnFinished();

    std::unique_ptr<Ui::CUpdateAirportDataDlg> ui_;
    QPushButton* updateButton_ = nullptr;
    QThread* worker_ = nullptr;
    std::atomic<bool> cancel_ = false;
    CAirportUpdate::Result result_;
};

} // namespace kt
