#include "CPseudoTerminal.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/ioctl.h>
#include <termios.h>

namespace kt {

namespace {
std::string Failure(const char* what) {
    return std::string(what) + ": " + std::strerror(errno);
}

bool MakeRaw(int fd) {
    termios tio{};
    if (::tcgetattr(fd, &tio) != 0)
        return false;
    ::cfmakeraw(&tio);
    tio.c_cflag |= CLOCAL | CREAD;
    ::cfsetispeed(&tio, B9600);
    ::cfsetospeed(&tio, B9600);
    return ::tcsetattr(fd, TCSANOW, &tio) == 0;
}
} // namespace

bool CPseudoTerminal::Open(std::string& error) {
    Close();
    CFileDescriptor master(::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC));
    if (!master.IsValid()) {
        error = Failure("posix_openpt");
        return false;
    }
    // Termios requests on the master act on the slave: raw before anyone
    // can open it.
    if (!MakeRaw(master.Get())) {
        error = Failure("setting the pseudo-terminal raw");
        return false;
    }
    if (::grantpt(master.Get()) != 0 || ::unlockpt(master.Get()) != 0) {
        error = Failure("grantpt/unlockpt");
        return false;
    }
    char name[256];
    if (::ptsname_r(master.Get(), name, sizeof name) != 0) {
        error = Failure("ptsname_r");
        return false;
    }
    CFileDescriptor slave(::open(name, O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC));
    if (!slave.IsValid()) {
        error = Failure(name);
        return false;
    }
    if (!MakeRaw(slave.Get())) {
        error = Failure("setting the pseudo-terminal raw");
        return false;
    }
    ::tcflush(slave.Get(), TCIOFLUSH);
    const int flags = ::fcntl(master.Get(), F_GETFL);
    if (flags < 0 || ::fcntl(master.Get(), F_SETFL, flags | O_NONBLOCK) != 0) {
        error = Failure("fcntl");
        return false;
    }
    master_ = std::move(master);
    slave_ = std::move(slave);
    path_ = name;
    return true;
}

void CPseudoTerminal::Close() {
    slave_.Reset();
    master_.Reset();
}

int CPseudoTerminal::UnreadByProgram() const {
    int count = 0;
    if (!slave_.IsValid() || ::ioctl(slave_.Get(), FIONREAD, &count) != 0)
        return -1;
    return count;
}

void CPseudoTerminal::ClearExclusive() const {
    if (slave_.IsValid())
        ::ioctl(slave_.Get(), TIOCNXCL);
}

} // namespace kt
