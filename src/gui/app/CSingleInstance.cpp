#include "CSingleInstance.h"

#include <QDataStream>
#include <QDir>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QStandardPaths>

namespace kt {

namespace {
// What the running copy answers once it holds the files.
constexpr char kReceived[] = "received\n";
constexpr int kHandOverMs = 10000;

QString RuntimeFolder() {
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty())
        folder = QDir::tempPath();
    return folder;
}
} // namespace

QString CSingleInstance::LockFilePath() {
    return RuntimeFolder() + QStringLiteral("/kt-m220.lock");
}

QString CSingleInstance::SocketPath() {
    return QFileInfo(LockFilePath()).absolutePath() + QStringLiteral("/kt-m220.socket");
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
    server_.reset(); // removes the socket
    if (first_)
        lock_->unlock();
}

QString CSingleInstance::Listen(Received received) {
    server_ = std::make_unique<QLocalServer>();
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    // This copy holds the lock, so a socket found there is one a crashed copy
    // left behind.
    QLocalServer::removeServer(SocketPath());
    if (!server_->listen(SocketPath())) {
        const QString reason = server_->errorString();
        server_.reset();
        return reason;
    }
    QLocalServer* server = server_.get();
    QObject::connect(server, &QLocalServer::newConnection, server, [server, received] {
        while (QLocalSocket* socket = server->nextPendingConnection()) {
            QObject::connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
            QObject::connect(socket, &QLocalSocket::readyRead, socket, [socket, received] {
                QDataStream in(socket);
                in.setVersion(QDataStream::Qt_6_0);
                in.startTransaction();
                QStringList files;
                QByteArray token;
                in >> files >> token;
                if (!in.commitTransaction())
                    return; // the rest is still on its way
                socket->write(kReceived);
                socket->flush();
                received(files, token);
            });
        }
    });
    return {};
}

QString CSingleInstance::HandOver(const QStringList& files, const QByteArray& token) {
    QLocalSocket socket;
    socket.connectToServer(SocketPath());
    if (!socket.waitForConnected(kHandOverMs)) {
        if (socket.error() == QLocalSocket::ServerNotFoundError ||
            socket.error() == QLocalSocket::ConnectionRefusedError)
            return QStringLiteral("The running copy does not take files from other copies.");
        return socket.errorString();
    }
    QByteArray message;
    QDataStream out(&message, QIODevice::WriteOnly);
    out.setVersion(QDataStream::Qt_6_0);
    out << files << token;
    socket.write(message);
    QByteArray answer;
    while (answer.size() < qsizetype(sizeof kReceived) - 1) {
        if (!socket.waitForReadyRead(kHandOverMs))
            return socket.state() == QLocalSocket::ConnectedState
                       ? QStringLiteral("The running copy did not answer.")
                       : socket.errorString();
        answer += socket.readAll();
    }
    if (answer != kReceived)
        return QStringLiteral("The running copy gave an unexpected answer.");
    return {};
}

} // namespace kt
