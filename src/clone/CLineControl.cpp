#include "CLineControl.h"

#include <cerrno>
#include <sys/file.h>
#include <sys/ioctl.h>

namespace kt {

CFileDescriptor CLineControl::Open(const std::string& path, int flags) {
    return CFileDescriptor::Open(path, flags);
}

int CLineControl::Lock(int fd, int operation) {
    int result;
    do {
        result = flock(fd, operation);
    } while (result != 0 && errno == EINTR);
    return result;
}

int CLineControl::Ioctl(int fd, unsigned long request, int* argument) {
    int result;
    do {
        result = ioctl(fd, request, argument);
    } while (result != 0 && errno == EINTR);
    return result;
}

int CLineControl::GetAttributes(int fd, termios& line) {
    return tcgetattr(fd, &line);
}

int CLineControl::SetAttributes(int fd, const termios& line) {
    int result;
    do {
        result = tcsetattr(fd, TCSANOW, &line);
    } while (result != 0 && errno == EINTR);
    return result;
}

int CLineControl::Purge(int fd, int queue) {
    return tcflush(fd, queue);
}

void CLineControl::Close(CFileDescriptor port) {
    port.Reset();
}

CLineControl& CLineControl::System() {
    static CLineControl system;
    return system;
}

} // namespace kt
