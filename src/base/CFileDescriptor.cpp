#include "CFileDescriptor.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/ioctl.h>
#include <unistd.h>

namespace kt {

CFileDescriptor& CFileDescriptor::operator=(CFileDescriptor&& other) noexcept {
    if (this != &other)
        Reset(other.Release());
    return *this;
}

CFileDescriptor CFileDescriptor::Open(const std::string& path, int flags, mode_t mode) {
    int fd;
    do {
        fd = ::open(path.c_str(), flags | O_CLOEXEC, mode);
    } while (fd < 0 && errno == EINTR);
    return CFileDescriptor(fd);
}

int CFileDescriptor::Release() {
    const int fd = fd_;
    fd_ = -1;
    return fd;
}

void CFileDescriptor::Reset(int fd) {
    if (fd_ >= 0 && fd_ != fd)
        ::close(fd_);
    fd_ = fd;
}

ssize_t CFileDescriptor::ReadSome(void* buffer, size_t count) const {
    ssize_t n;
    do {
        n = ::read(fd_, buffer, count);
    } while (n < 0 && errno == EINTR);
    return n;
}

ssize_t CFileDescriptor::WriteSome(const void* buffer, size_t count) const {
    ssize_t n;
    do {
        n = ::write(fd_, buffer, count);
    } while (n < 0 && errno == EINTR);
    return n;
}

bool CFileDescriptor::WriteAll(std::string_view bytes) const {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = WriteSome(bytes.data() + done, bytes.size() - done);
        if (n < 0)
            return false;
        if (n == 0) {
            errno = EIO;
            return false;
        }
        done += static_cast<std::size_t>(n);
    }
    return true;
}

int CFileDescriptor::Ioctl(unsigned long request, void* argument) const {
    int result;
    do {
        result = ::ioctl(fd_, request, argument);
    } while (result < 0 && errno == EINTR);
    return result;
}

std::string CFileDescriptor::ErrorText(int code) {
    return std::strerror(code);
}

} // namespace kt
