#pragma once

#include "CPortNames.h"

#include <QDialog>
#include <QString>
#include <QStringList>
#include <array>
#include <memory>

class QComboBox;
class QLabel;
class QTimer;

namespace Ui {
class CPortDevicesDlg;
}

namespace kt {

// Chooses the serial device each of COM1 to COM4 stands for. It lists the
// devices found on this machine and looks again every second, so that a
// cable plugged in while it is open appears. A port left at "Automatic" uses
// the first of the usual device names that exists.
class CPortDevicesDlg : public QDialog {
    Q_OBJECT

public:
    // One device path per port; empty for "Automatic".
    using Devices = std::array<QString, CPortNames::kPortCount>;
    static constexpr int kRescanIntervalMs = 1000;
    static constexpr char kAutomaticText[] = "Automatic";

    // deviceFolder is where devices are looked for; only tests give another.
    CPortDevicesDlg(const Devices& devices, QWidget* parent = nullptr,
                    const QString& deviceFolder = QStringLiteral("/dev"));
    ~CPortDevicesDlg() override;

    // The devices chosen, one per port; empty for "Automatic".
    Devices ChosenDevices() const;
    // The device paths found at the last scan, as listed.
    const QStringList& FoundDevices() const { return found_; }
    QComboBox* PortCombo(unsigned number) const;
    QLabel* PortState(unsigned number) const;

public slots:
    // Looks for devices again and updates the lists (keeping what is typed
    // or chosen).
    void Rescan();

private:
    void UpdatePortStates();

    std::unique_ptr<Ui::CPortDevicesDlg> ui_;
    QString deviceFolder_;
    QStringList found_;
    QTimer* rescanTimer_ = nullptr;
};

} // namespace kt
