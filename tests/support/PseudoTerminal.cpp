#include "PseudoTerminal.h"

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <fcntl.h>
#include <poll.h>
#include <stdexcept>
#include <sys/ioctl.h>
#include <termios.h>

namespace kt {

namespace {
void MakeRaw(int fd) {
    termios line{};
    if (tcgetattr(fd, &line) != 0)
        throw std::runtime_error("tcgetattr on a pseudo-terminal failed");
    cfmakeraw(&line);
    if (tcsetattr(fd, TCSANOW, &line) != 0)
        throw std::runtime_error("tcsetattr on a pseudo-terminal failed");
}
} // namespace

PseudoTerminal::PseudoTerminal() {
    master_.Reset(posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC));
    if (!master_.IsValid() || grantpt(master_.Get()) != 0 || unlockpt(master_.Get()) != 0)
        throw std::runtime_error("no pseudo-terminal");
    char name[128] = {};
    if (ptsname_r(master_.Get(), name, sizeof name) != 0)
        throw std::runtime_error("ptsname_r failed");
    slavePath_ = name;
    slave_ = CFileDescriptor::Open(slavePath_, O_RDWR | O_NOCTTY | O_NONBLOCK);
    if (!slave_.IsValid())
        throw std::runtime_error("cannot open " + slavePath_);
    // A new pseudo-terminal echoes and cooks until it is set raw.
    MakeRaw(slave_.Get());
    MakeRaw(master_.Get());
}

int PseudoTerminal::WaitForSlaveInput(int count, int timeoutMs) const {
    using Clock = std::chrono::steady_clock;
    const Clock::time_point deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    int waiting = 0;
    for (;;) {
        ioctl(slave_.Get(), FIONREAD, &waiting);
        if (waiting >= count || Clock::now() >= deadline)
            return waiting;
        // The terminal moves the bytes over in the background; look again
        // shortly.
        pollfd none{-1, 0, 0};
        poll(&none, 1, 1);
    }
}

} // namespace kt
