#include "CPortDevicesDlg.h"

#include "SerialDeviceList.h"
#include "ui_CPortDevicesDlg.h"

#include <QDialogButtonBox>
#include <QFileInfo>
#include <QLineEdit>
#include <QTimer>

namespace kt {

namespace {
constexpr int kInitialWidth = 560;
constexpr int kInitialHeight = 420;

QString AutomaticText() {
    return QString::fromLatin1(CPortDevicesDlg::kAutomaticText);
}

// The text a combo stands for: a device path, or empty for "Automatic".
QString DeviceOf(const QComboBox* combo) {
    const QString text = combo->currentText().trimmed();
    return text == AutomaticText() ? QString() : text;
}
} // namespace

CPortDevicesDlg::CPortDevicesDlg(const Devices& devices, QWidget* parent,
                                 const QString& deviceFolder)
    : QDialog(parent), ui_(std::make_unique<Ui::CPortDevicesDlg>()), deviceFolder_(deviceFolder) {
    ui_->setupUi(this);
    connect(ui_->buttonBox, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(ui_->buttonBox, &QDialogButtonBox::rejected, this, &QDialog::reject);
    for (unsigned n = 1; n <= CPortNames::kPortCount; ++n) {
        QComboBox* combo = PortCombo(n);
        combo->setInsertPolicy(QComboBox::NoInsert);
        // The typing field takes the focus for its list: it carries the
        // list's name to a screen reader.
        combo->lineEdit()->setAccessibleName(combo->accessibleName());
        combo->addItem(AutomaticText());
        combo->setEditText(devices[n - 1].isEmpty() ? AutomaticText() : devices[n - 1]);
        connect(combo, &QComboBox::currentTextChanged, this, &CPortDevicesDlg::UpdatePortStates);
    }
    Rescan();
    rescanTimer_ = new QTimer(this);
    connect(rescanTimer_, &QTimer::timeout, this, &CPortDevicesDlg::Rescan);
    rescanTimer_->start(kRescanIntervalMs);
    // Wide enough for the long /dev/serial/by-id names; the device list takes
    // whatever height the window is given.
    resize(kInitialWidth, kInitialHeight);
}

CPortDevicesDlg::~CPortDevicesDlg() = default;

QComboBox* CPortDevicesDlg::PortCombo(unsigned number) const {
    switch (number) {
    case 1:
        return ui_->comboCom1;
    case 2:
        return ui_->comboCom2;
    case 3:
        return ui_->comboCom3;
    case 4:
        return ui_->comboCom4;
    default:
        return nullptr;
    }
}

QLabel* CPortDevicesDlg::PortState(unsigned number) const {
    switch (number) {
    case 1:
        return ui_->stateCom1;
    case 2:
        return ui_->stateCom2;
    case 3:
        return ui_->stateCom3;
    case 4:
        return ui_->stateCom4;
    default:
        return nullptr;
    }
}

CPortDevicesDlg::Devices CPortDevicesDlg::ChosenDevices() const {
    Devices devices;
    for (unsigned n = 1; n <= CPortNames::kPortCount; ++n)
        devices[n - 1] = DeviceOf(PortCombo(n));
    return devices;
}

void CPortDevicesDlg::Rescan() {
    const std::vector<SerialDevice> devices = ListSerialDevices(deviceFolder_.toStdString());
    QStringList paths;
    QStringList lines;
    for (const SerialDevice& d : devices) {
        paths.append(QString::fromStdString(d.path));
        lines.append(d.target.empty() ? paths.back()
                                      : paths.back() + QStringLiteral("  \u2192  ") +
                                            QString::fromStdString(d.target));
    }
    if (paths != found_ || ui_->deviceList->count() == 0) {
        found_ = paths;
        ui_->deviceList->clear();
        if (lines.isEmpty())
            ui_->deviceList->addItem(QStringLiteral("(none found: plug in the cloning cable)"));
        else
            ui_->deviceList->addItems(lines);
        for (unsigned n = 1; n <= CPortNames::kPortCount; ++n) {
            QComboBox* combo = PortCombo(n);
            const QString text = combo->currentText();
            const QSignalBlocker block(combo);
            while (combo->count() > 1)
                combo->removeItem(1);
            combo->addItems(found_);
            combo->setEditText(text);
        }
    }
    UpdatePortStates();
}

void CPortDevicesDlg::UpdatePortStates() {
    CPortNames names(deviceFolder_.toStdString());
    for (unsigned n = 1; n <= CPortNames::kPortCount; ++n) {
        names.SetDevice(n, DeviceOf(PortCombo(n)).toStdString());
        const QString device = QString::fromStdString(names.DeviceOf(n));
        const bool present = QFileInfo::exists(device);
        QString state = present ? QStringLiteral("present") : QStringLiteral("not present");
        if (DeviceOf(PortCombo(n)).isEmpty())
            state = device + QStringLiteral(", ") + state;
        PortState(n)->setText(state);
        // The state beside the list is read out with the list.
        PortCombo(n)->setAccessibleDescription(state);
        PortCombo(n)->lineEdit()->setAccessibleDescription(state);
    }
}

} // namespace kt
