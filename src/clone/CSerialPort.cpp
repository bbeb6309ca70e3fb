#include "CSerialPort.h"

#include "CPortLock.h"
#include "ICloneUi.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <thread>

namespace kt {

namespace {

struct BaudSpeed {
    unsigned baud;
    speed_t speed;
};

constexpr BaudSpeed kBaudSpeeds[] = {
    {1200, B1200},     {2400, B2400},     {4800, B4800},     {9600, B9600},
    {19200, B19200},   {38400, B38400},   {57600, B57600},   {115200, B115200},
    {230400, B230400}, {460800, B460800}, {921600, B921600},
};

bool SpeedOf(unsigned baud, speed_t& speed) {
    for (const BaudSpeed& entry : kBaudSpeeds) {
        if (entry.baud == baud) {
            speed = entry.speed;
            return true;
        }
    }
    return false;
}

// Raw 8N1 at the given speed, no flow control of either kind, receiver on,
// modem status lines ignored. read() returns at once with what is there.
void MakeCloneLine(termios& line, speed_t speed) {
    cfmakeraw(&line);
    line.c_cflag &= ~static_cast<tcflag_t>(CSIZE | PARENB | CSTOPB | CRTSCTS);
    line.c_cflag |= CS8 | CREAD | CLOCAL;
    line.c_iflag &= ~static_cast<tcflag_t>(IXON | IXOFF | IXANY);
    line.c_cc[VMIN] = 0;
    line.c_cc[VTIME] = 0;
    cfsetispeed(&line, speed);
    cfsetospeed(&line, speed);
}

} // namespace

CSerialPort::CSerialPort() = default;

CSerialPort::~CSerialPort() {
    // Not through the virtual slots: a derived object is already gone here.
    if (port_.IsValid()) {
        portCleanup_.Reset();
        control_->Purge(port_.Get(), TCIOFLUSH);
        Release(std::move(port_));
    }
}

int CSerialPort::GetHandle() const {
    return port_.Get();
}

bool CSerialPort::Open(const std::string& name, unsigned baud) {
    if (port_.IsValid())
        return true;
    portName_ = name;
    baud_ = baud;
    port_ = OpenPort(name, baud);
    if (!port_.IsValid()) {
        Close();
        return false;
    }
    portCleanup_ =
        CCleanupEntry::Port(port_.Get(), found_.known ? &found_.line : nullptr, found_.modemLines);
    return true;
}

CFileDescriptor CSerialPort::OpenPort(const std::string& name, unsigned baud) {
    const std::string device = portNames_.Resolve(name);
    lastOpenError_ = {};
    lastOpenError_.device = device;
    found_ = {};

    // A live UUCP lock file means another program uses the port: the device
    // is not even opened, since opening a real port raises its modem lines.
    const CPortLock locks;
    if (const auto holder = locks.LockFileHolder(device)) {
        NoteInUse(device, holder);
        ReportError(kNotOpenText, EBUSY);
        return {};
    }

    CFileDescriptor port = control_->Open(device, O_RDWR | O_NOCTTY | O_NONBLOCK);
    if (!port.IsValid()) {
        const int code = errno;
        // EBUSY: another program holds the port exclusively.
        if (code == EBUSY)
            NoteInUse(device, locks.DeviceLockHolder(device));
        else
            NoteOpenFailure(device, code);
        ReportError(kNotOpenText, code);
        return {};
    }
    // Exclusive use needs an advisory lock: TIOCEXCL below keeps out later
    // openers, but not root, and says nothing to a program that has the
    // device open already. A device that takes no lock is used without.
    // Another program's record lock on the device counts as well.
    const bool refused = control_->Lock(port.Get(), LOCK_EX | LOCK_NB) != 0 && errno == EWOULDBLOCK;
    const auto holder = locks.DeviceLockHolder(device);
    if (refused || holder) {
        NoteInUse(device, holder);
        ReportError(kNotOpenText, EBUSY);
        control_->Close(std::move(port));
        return {};
    }
    // Keep other programs off the line while we use it. A device that is no
    // terminal refuses this too, and reading its settings below says so.
    int none = 0;
    control_->Ioctl(port.Get(), TIOCEXCL, &none);

    termios line{};
    if (control_->GetAttributes(port.Get(), line) != 0) {
        NoteOpenFailure(device, errno);
        ClosePort(std::move(port));
        return {};
    }
    // As found: set back when the port closes. A pseudo-terminal has no
    // modem lines and answers ENOTTY; then there are none to set back.
    found_.known = true;
    found_.line = line;
    int modemLines = 0;
    if (control_->Ioctl(port.Get(), TIOCMGET, &modemLines) == 0)
        found_.modemLines = modemLines;
    control_->Purge(port.Get(), TCIOFLUSH);

    speed_t speed = B0;
    int code = EINVAL;
    if (SpeedOf(baud, speed)) {
        MakeCloneLine(line, speed);
        code = control_->SetAttributes(port.Get(), line) == 0 ? 0 : errno;
    }
    if (code != 0) {
        NoteOpenFailure(device, code);
        ReportError(kInvalidSettingText, code);
        ClosePort(std::move(port));
        return {};
    }

    // DTR inactive, RTS active: the cloning cable draws its power from RTS.
    // On a pseudo-terminal these fail, and the line is used as it is.
    int dtr = TIOCM_DTR;
    control_->Ioctl(port.Get(), TIOCMBIC, &dtr);
    int rts = TIOCM_RTS;
    control_->Ioctl(port.Get(), TIOCMBIS, &rts);
    return port;
}

void CSerialPort::Close() {
    if (!port_.IsValid())
        return;
    portCleanup_.Reset();
    control_->Purge(port_.Get(), TCIOFLUSH);
    ClosePort(std::move(port_));
    port_.Reset();
}

void CSerialPort::ClosePort(CFileDescriptor port) {
    Release(std::move(port));
}

void CSerialPort::Release(CFileDescriptor port) {
    if (!port.IsValid())
        return;
    const int fd = port.Get();
    if (found_.known)
        control_->SetAttributes(fd, found_.line);
    if (found_.modemLines >= 0) {
        for (int bit : {TIOCM_DTR, TIOCM_RTS})
            control_->Ioctl(fd, (found_.modemLines & bit) != 0 ? TIOCMBIS : TIOCMBIC, &bit);
    }
    found_ = {};
    // Exclusive use would otherwise outlive us while another descriptor of
    // the same terminal stays open.
    int none = 0;
    control_->Ioctl(fd, TIOCNXCL, &none);
    control_->Lock(fd, LOCK_UN);
    control_->Close(std::move(port));
}

bool CSerialPort::Write(const std::uint8_t* bytes, std::size_t count) {
    if (!port_.IsValid())
        return false;
    using Clock = std::chrono::steady_clock;
    const Clock::time_point deadline = Clock::now() + std::chrono::milliseconds(writeTimeoutMs_);
    std::size_t done = 0;
    while (done < count) {
        const ssize_t n = port_.WriteSome(bytes + done, count - done);
        if (n > 0) {
            done += static_cast<std::size_t>(n);
            continue;
        }
        if (n < 0 && errno != EAGAIN && errno != EWOULDBLOCK) {
            ReportError(kWriteErrorText, errno);
            return false;
        }
        // The output queue is full: wait until the line takes more.
        // Rounded up, so that the wait reaches the deadline.
        const auto left =
            std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now()).count();
        if (left <= 0) {
            ReportError(kWriteErrorText, ETIMEDOUT);
            return false;
        }
        pollfd wait{port_.Get(), POLLOUT, 0};
        const int ready = poll(&wait, 1, static_cast<int>(left));
        if (ready < 0 && errno != EINTR) {
            ReportError(kWriteErrorText, errno);
            return false;
        }
        if (ready > 0 && (wait.revents & POLLOUT) == 0) {
            ReportError(kWriteErrorText, EIO);
            return false;
        }
    }
    return true;
}

bool CSerialPort::Read(std::uint8_t* buffer, std::size_t maximum, std::size_t& count) {
    if (!port_.IsValid())
        return false;
    int waiting = 0;
    if (port_.Ioctl(FIONREAD, &waiting) != 0 || waiting <= 0)
        return false;
    const std::size_t n = std::min({static_cast<std::size_t>(waiting), kMaxReadChunk, maximum});
    if (n == 0)
        return false;
    const ssize_t got = port_.ReadSome(buffer, n);
    if (got < 0) {
        if (errno != EAGAIN && errno != EWOULDBLOCK)
            ReportError(kReadErrorText, errno);
        return false;
    }
    if (got == 0)
        return false;
    count = static_cast<std::size_t>(got);
    return true;
}

bool CSerialPort::Flush() {
    if (!port_.IsValid())
        return false;
    int result;
    do {
        result = tcdrain(port_.Get());
    } while (result != 0 && errno == EINTR);
    return result == 0;
}

int CSerialPort::ReportError(const std::string& text, int code) {
    if (errorCallback_) {
        errorCallback_(text, kErrorCaption, code);
        return 1;
    }
    if (ui_ != nullptr) {
        std::string detail;
        if (code != 0)
            detail = lastOpenError_.device + ": " +
                     (code == lastOpenError_.code ? lastOpenError_.reason
                                                  : CFileDescriptor::ErrorText(code));
        ui_->MessageBox(text, detail);
        return 1;
    }
    return 0;
}

void CSerialPort::WaitForInput(int timeoutMs) const {
    if (port_.IsValid()) {
        pollfd wait{port_.Get(), POLLIN, 0};
        const int ready = poll(&wait, 1, timeoutMs);
        if (ready == 0 || (ready > 0 && (wait.revents & POLLIN) != 0))
            return;
        if (ready < 0 && errno == EINTR)
            return;
    }
    // Hang-up, error or no port: poll would return at once every time.
    std::this_thread::sleep_for(std::chrono::milliseconds(timeoutMs));
}

void CSerialPort::NoteOpenFailure(const std::string& device, int code, const std::string& reason) {
    lastOpenError_.device = device;
    lastOpenError_.code = code;
    lastOpenError_.reason = reason.empty() ? CFileDescriptor::ErrorText(code) : reason;
}

void CSerialPort::NoteInUse(const std::string& device,
                            const std::optional<CPortLock::Holder>& holder) {
    NoteOpenFailure(device, EBUSY, CPortLock::InUseReason(holder));
    if (holder)
        lastOpenError_.holder = holder->program;
}

} // namespace kt
