#pragma once

#include <QObject>
#include <QProcess>
#include <QString>
#include <QTemporaryFile>
#include <memory>

namespace kt {

// The virtual transceiver of the demonstration (kt-m220 --demo): runs
// kt-m220-sim for as long as this object lives, with a few channels and a
// clone comment in its memory, and reports the pseudo-terminal it offers.
class CDemoTransceiver : public QObject {
    Q_OBJECT

public:
    static constexpr char kProgramName[] = "kt-m220-sim";
    static constexpr char kComment[] = "DEMO TRANSCEIVER";

    explicit CDemoTransceiver(QObject* parent = nullptr);
    // Ends the virtual transceiver.
    ~CDemoTransceiver() override;

    // Where kt-m220-sim is: beside this program (installed), in the build
    // tree's src/sim beside src/app, or on the PATH. Empty when not found.
    static QString FindProgram();
    // Writes the demonstration's memory image as a data file at path.
    static bool WriteDemoImage(const QString& path);

    // Starts it; Ready or Failed follow.
    void Start();
    const QString& Device() const { return device_; }

signals:
    // The device to open, once the virtual transceiver runs.
    void Ready(const QString& device);
    void Failed(const QString& reason);

private:
    void OnOutput();
    void OnError(QProcess::ProcessError error);
    void OnFinished();

    QProcess process_;
    QTemporaryFile image_;
    QString output_;
    QString device_;
    bool reported_ = false;
};

} // namespace kt
