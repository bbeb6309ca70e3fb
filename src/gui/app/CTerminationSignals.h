#pragma once

#include <QObject>
#include <memory>

class QSocketNotifier;

namespace kt {

// Turns SIGTERM, SIGINT and SIGHUP into a Qt signal delivered by the event
// loop, so that the program ends the normal way (its temporary files removed,
// its settings saved) when the session ends or it is told to stop.
class CTerminationSignals : public QObject {
    Q_OBJECT

public:
    explicit CTerminationSignals(QObject* parent = nullptr);
    ~CTerminationSignals() override;

signals:
    void TerminationRequested(int signalNumber);

private:
    void OnReadable();

    std::unique_ptr<QSocketNotifier> notifier_;
};

} // namespace kt
