#include "COwnedFd.h"

#include <unistd.h>

COwnedFd& COwnedFd::operator=(COwnedFd&& other) noexcept {
    if (this != &other) {
        Close();
        fd_ = other.Release();
    }
    return *this;
}

int COwnedFd::Release() {
    const int fd = fd_;
    fd_ = -1;
    return fd;
}

void COwnedFd::Close() {
    if (fd_ >= 0)
        ::close(fd_); // a close interrupted by a signal has still closed the descriptor
    fd_ = -1;
}
