#include "CSingleInstance.h"

#include <QDir>
#include <QStandardPaths>

QString CSingleInstance::LockFilePath() {
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty())
        folder = QDir::tempPath();
    return folder + QStringLiteral("/kt-m220.lock");
}

CSingleInstance::CSingleInstance(const QString& path)
    : lock_(std::make_unique<QLockFile>(path.isEmpty() ? LockFilePath() : path)) {
    // A running copy holds its lock for as long as it runs, so age never makes
    // a lock stale; only a lock whose process has gone is taken over.
    lock_->setStaleLockTime(0);
    first_ = lock_->tryLock(0);
    if (!first_ && lock_->error() == QLockFile::PermissionError)
        first_ = true; // no lock can be made there: run rather than refuse to start
}

CSingleInstance::~CSingleInstance() {
    if (first_)
        lock_->unlock();
}
