#include "CSingleInstance.h"

#include <QDir>
#include <QFileInfo>
#include <QSocketNotifier>
#include <QStandardPaths>
#include <QTimer>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace kt {

namespace {
// What the running copy answers once it holds the files.
constexpr char kReceived[] = "received\n";
constexpr int kHandOverMs = 10000;
// No hand-over of a few file names comes near this; more is not one.
constexpr qsizetype kMaxMessageBytes = 1 << 20;
// A later copy that connects but sends nothing is let go after this.
constexpr int kConnectionMs = 10000;

QString RuntimeFolder() {
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty())
        folder = QDir::tempPath();
    return folder;
}

// The socket address of path; false when the path is too long for one.
bool AddressOf(const QString& path, sockaddr_un& address) {
    const QByteArray bytes = QFile::encodeName(path);
    address = {};
    address.sun_family = AF_UNIX;
    if (bytes.size() >= qsizetype(sizeof address.sun_path))
        return false;
    std::memcpy(address.sun_path, bytes.constData(), static_cast<std::size_t>(bytes.size()));
    return true;
}

QString SystemReason() {
    return QString::fromStdString(CFileDescriptor::ErrorText(errno));
}

// The hand-over message: the token, then each file's path (UTF-8), each as
// "<length>:<bytes>\n", then "end\n". Every length is checked against what
// arrived before anything is taken, so nonsense from another program can
// neither make the running copy reserve memory nor read past the message.
constexpr char kEnd[] = "end\n";
constexpr int kMaxLengthDigits = 8;

QByteArray Field(const QByteArray& bytes) {
    return QByteArray::number(bytes.size()) + ':' + bytes + '\n';
}

enum class Parsed { Incomplete, Done, Bad };

Parsed ParseMessage(const QByteArray& message, QByteArray& token, QStringList& files) {
    QList<QByteArray> fields;
    qsizetype at = 0;
    for (;;) {
        const QByteArray rest = message.mid(at);
        if (rest.startsWith(kEnd))
            break;
        if (QByteArray(kEnd).startsWith(rest))
            return Parsed::Incomplete;
        const qsizetype colon = message.indexOf(':', at);
        const qsizetype digits = (colon < 0 ? message.size() : colon) - at;
        if (digits > kMaxLengthDigits || (colon >= 0 && digits == 0))
            return Parsed::Bad;
        for (qsizetype i = at; i < at + digits; ++i)
            if (message[i] < '0' || message[i] > '9')
                return Parsed::Bad;
        if (colon < 0)
            return Parsed::Incomplete;
        const qsizetype length = message.mid(at, digits).toLongLong();
        if (length > kMaxMessageBytes)
            return Parsed::Bad;
        if (colon + 1 + length + 1 > message.size())
            return Parsed::Incomplete;
        if (message[colon + 1 + length] != '\n')
            return Parsed::Bad;
        fields.append(message.mid(colon + 1, length));
        at = colon + 1 + length + 1;
    }
    if (fields.isEmpty())
        return Parsed::Bad;
    token = fields.takeFirst();
    files.clear();
    for (const QByteArray& file : fields)
        files.append(QString::fromUtf8(file));
    return Parsed::Done;
}

// Waits until fd is ready for events or the deadline has passed.
bool WaitFor(int fd, short events, std::chrono::steady_clock::time_point deadline) {
    for (;;) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0)
            return false;
        pollfd p{fd, events, 0};
        const int ready = ::poll(&p, 1, static_cast<int>(left.count()));
        if (ready > 0)
            return true;
        if (ready < 0 && errno != EINTR)
            return false;
    }
}
} // namespace

// One later copy's connection: collects its message, confirms it, hands the
// files on and ends. A child of the server's notifier, so it goes with it.
class CSingleInstance::Connection : public QObject {
public:
    Connection(CFileDescriptor fd, Received received, QObject* parent)
        : QObject(parent), fd_(std::move(fd)), received_(std::move(received)),
          notifier_(fd_.Get(), QSocketNotifier::Read) {
        connect(&notifier_, &QSocketNotifier::activated, this, &Connection::Read);
        timeout_.setSingleShot(true);
        connect(&timeout_, &QTimer::timeout, this, &Connection::End);
        timeout_.start(kConnectionMs);
    }

private:
    void Read() {
        char buffer[4096];
        const ssize_t got = fd_.ReadSome(buffer, sizeof buffer);
        if (got < 0 && (errno == EAGAIN || errno == EWOULDBLOCK))
            return;
        if (got <= 0 || message_.size() + got > kMaxMessageBytes)
            return End();
        message_.append(buffer, got);
        QStringList files;
        QByteArray token;
        const Parsed parsed = ParseMessage(message_, token, files);
        if (parsed == Parsed::Incomplete)
            return; // the rest is still on its way
        if (parsed == Parsed::Bad)
            return End();
        // The answer is a few bytes on an empty socket: it goes at once.
        fd_.WriteAll(kReceived);
        End();
        received_(files, token);
    }

    // Stops listening to the connection; it is closed once the event loop
    // has left the signal that got here.
    void End() {
        notifier_.setEnabled(false);
        timeout_.stop();
        deleteLater();
    }

    CFileDescriptor fd_;
    Received received_;
    QSocketNotifier notifier_;
    QTimer timeout_;
    QByteArray message_;
};

QString CSingleInstance::LockFilePath() {
    return RuntimeFolder() + QStringLiteral("/kt-m220.lock");
}

QString CSingleInstance::SocketPath() {
    return QFileInfo(LockFilePath()).absolutePath() + QStringLiteral("/kt-m220.socket");
}

CSingleInstance::CSingleInstance(const QString& path)
    : lock_(std::make_unique<CInstanceLock>(
          QFile::encodeName(path.isEmpty() ? LockFilePath() : path).toStdString())) {
    // No lock can be made there: run rather than refuse to start.
    first_ = lock_->GetState() != CInstanceLock::State::HeldByOther;
}

CSingleInstance::~CSingleInstance() {
    serverNotifier_.reset(); // and the connections with it
    if (server_.IsValid()) {
        server_.Reset();
        ::unlink(QFile::encodeName(socketPath_).constData());
    }
}

QString CSingleInstance::Listen(Received received) {
    received_ = std::move(received);
    socketPath_ = SocketPath();
    sockaddr_un address;
    if (!AddressOf(socketPath_, address))
        return QStringLiteral("The path %1 is too long for a socket.").arg(socketPath_);
    CFileDescriptor fd(::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0));
    if (!fd.IsValid())
        return SystemReason();
    // This copy holds the lock, so a socket found there is one a crashed copy
    // left behind.
    ::unlink(address.sun_path);
    // Only this user may connect.
    const mode_t before = ::umask(0077);
    const int bound = ::bind(fd.Get(), reinterpret_cast<const sockaddr*>(&address), sizeof address);
    ::umask(before);
    if (bound != 0 || ::listen(fd.Get(), SOMAXCONN) != 0)
        return SystemReason();
    server_ = std::move(fd);
    serverNotifier_ = std::make_unique<QSocketNotifier>(server_.Get(), QSocketNotifier::Read);
    QObject::connect(serverNotifier_.get(), &QSocketNotifier::activated, serverNotifier_.get(),
                     [this] { Accept(); });
    return {};
}

void CSingleInstance::Accept() {
    for (;;) {
        CFileDescriptor fd(
            ::accept4(server_.Get(), nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK));
        if (!fd.IsValid())
            return; // none waiting (or the system refused one: the other copy says so)
        new Connection(std::move(fd), received_, serverNotifier_.get()); // the notifier's child
    }
}

QString CSingleInstance::HandOver(const QStringList& files, const QByteArray& token) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(kHandOverMs);
    sockaddr_un address;
    if (!AddressOf(SocketPath(), address))
        return QStringLiteral("The path %1 is too long for a socket.").arg(SocketPath());
    CFileDescriptor fd(::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0));
    if (!fd.IsValid())
        return SystemReason();
    if (::connect(fd.Get(), reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
        if (errno == ENOENT || errno == ECONNREFUSED)
            return QStringLiteral("The running copy does not take files from other copies.");
        return SystemReason();
    }
    QByteArray message = Field(token);
    for (const QString& file : files)
        message += Field(file.toUtf8());
    message += kEnd;
    if (!WaitFor(fd.Get(), POLLOUT, deadline) || !fd.WriteAll(message.toStdString()))
        return QStringLiteral("The running copy did not take the files.");
    QByteArray answer;
    while (answer.size() < qsizetype(sizeof kReceived) - 1) {
        if (!WaitFor(fd.Get(), POLLIN, deadline))
            return QStringLiteral("The running copy did not answer.");
        char buffer[64];
        const ssize_t got = fd.ReadSome(buffer, sizeof buffer);
        if (got <= 0)
            return QStringLiteral("The running copy did not answer.");
        answer.append(buffer, got);
    }
    if (answer != kReceived)
        return QStringLiteral("The running copy gave an unexpected answer.");
    return {};
}

} // namespace kt
