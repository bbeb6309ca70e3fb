#pragma once

#include "CFileDescriptor.h"
#include "CInstanceLock.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

class QSocketNotifier;

namespace kt {

// Lets one copy of the program run at a time: a lock on a file in the user's
// runtime folder marks the running copy. The system releases the lock of a
// copy that ended without releasing it (it crashed or was killed).
//
// The running copy listens on a local socket beside the lock, through which a
// later copy started with files (the file manager's "Open with") hands their
// absolute paths over before it ends, together with the desktop's activation
// token, so that the files reach the window the user already has. The socket
// is a plain Unix-domain socket watched by the event loop, so that the program
// starts without a network library.
class CSingleInstance {
public:
    // What a later copy handed over: the files to open, and the token with
    // which the desktop lets the running copy bring its window forward (empty
    // when the desktop gave none).
    using Received = std::function<void(const QStringList& files, const QByteArray& token)>;

    // The lock file's path: "kt-m220.lock" in the runtime folder
    // ($XDG_RUNTIME_DIR), or in the temporary folder when there is none.
    static QString LockFilePath();
    // The running copy's socket: "kt-m220.socket" beside the lock file.
    static QString SocketPath();

    // Takes the lock at path (LockFilePath when empty).
    explicit CSingleInstance(const QString& path = {});
    // Stops listening (removing the socket) and releases the lock when this
    // copy holds it.
    ~CSingleInstance();
    CSingleInstance(const CSingleInstance&) = delete;
    CSingleInstance& operator=(const CSingleInstance&) = delete;

    // False when another copy runs. A lock that cannot be made at all (no
    // permission in the folder) does not keep the program from running.
    bool IsFirst() const { return first_; }

    // The running copy: listens on SocketPath (a socket left by a copy that
    // crashed is replaced) and calls received for each later copy's files.
    // Gives the reason when it cannot listen; the program then runs without.
    QString Listen(Received received);

    // A later copy: hands files and token to the running copy and waits (at
    // most a few seconds) until it confirms them. Gives the reason when they
    // did not arrive.
    static QString HandOver(const QStringList& files, const QByteArray& token);

private:
    class Connection;
    void Accept();

    std::unique_ptr<CInstanceLock> lock_;
    bool first_ = false;
    CFileDescriptor server_;
    QString socketPath_;
    std::unique_ptr<QSocketNotifier> serverNotifier_;
    Received received_;
};

} // namespace kt
