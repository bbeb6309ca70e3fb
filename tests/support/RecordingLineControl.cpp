#include "RecordingLineControl.h"

#include <cerrno>
#include <cstring>
#include <sys/file.h>
#include <sys/ioctl.h>

namespace kt {

namespace {
bool SameLine(const termios& a, const termios& b) {
    return a.c_iflag == b.c_iflag && a.c_oflag == b.c_oflag && a.c_cflag == b.c_cflag &&
           a.c_lflag == b.c_lflag && std::memcmp(a.c_cc, b.c_cc, sizeof a.c_cc) == 0 &&
           cfgetispeed(&a) == cfgetispeed(&b) && cfgetospeed(&a) == cfgetospeed(&b);
}
} // namespace

CFileDescriptor RecordingLineControl::Open(const std::string& path, int flags) {
    events_.push_back("open");
    return CLineControl::Open(path, flags);
}

int RecordingLineControl::Lock(int fd, int operation) {
    events_.push_back(operation == LOCK_UN ? "unlock" : "lock");
    return CLineControl::Lock(fd, operation);
}

int RecordingLineControl::Ioctl(int fd, unsigned long request, int* argument) {
    switch (request) {
    case TIOCEXCL:
        events_.push_back("exclusive");
        break;
    case TIOCNXCL:
        events_.push_back("not exclusive");
        break;
    case TIOCMGET:
        events_.push_back("get modem lines");
        *argument = modemLines_;
        return 0;
    case TIOCMBIS:
    case TIOCMBIC: {
        const bool on = request == TIOCMBIS;
        if (*argument & TIOCM_DTR)
            events_.push_back(on ? "DTR on" : "DTR off");
        if (*argument & TIOCM_RTS)
            events_.push_back(on ? "RTS on" : "RTS off");
        modemLines_ = on ? (modemLines_ | *argument) : (modemLines_ & ~*argument);
        return 0;
    }
    default:
        events_.push_back("ioctl " + std::to_string(request));
        break;
    }
    return CLineControl::Ioctl(fd, request, argument);
}

int RecordingLineControl::GetAttributes(int fd, termios& line) {
    events_.push_back("get line");
    const int result = CLineControl::GetAttributes(fd, line);
    if (result == 0 && !foundKnown_) {
        found_ = line;
        foundKnown_ = true;
    }
    return result;
}

int RecordingLineControl::SetAttributes(int fd, const termios& line) {
    if (foundKnown_ && SameLine(line, found_))
        events_.push_back("set line as found");
    else if ((line.c_lflag & ICANON) == 0 && cfgetospeed(&line) == B9600)
        events_.push_back("set line raw 9600");
    else
        events_.push_back("set line");
    if (refuseSettings_) {
        errno = EINVAL;
        return -1;
    }
    return CLineControl::SetAttributes(fd, line);
}

int RecordingLineControl::Purge(int fd, int queue) {
    events_.push_back(queue == TCIOFLUSH  ? "purge both"
                      : queue == TCIFLUSH ? "purge input"
                                          : "purge output");
    return CLineControl::Purge(fd, queue);
}

void RecordingLineControl::Close(CFileDescriptor port) {
    events_.push_back("close");
    CLineControl::Close(std::move(port));
}

} // namespace kt
