#include "CInstanceLock.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kt {

namespace {
// A copy that ends removes the file while it still holds the lock; one that
// opened the old file just then may lock a file no longer at the path, and
// tries again. A few rounds settle any such race.
constexpr int kAttempts = 5;

bool SameFile(int fd, const std::string& path) {
    struct stat opened {};
    struct stat named {};
    return ::fstat(fd, &opened) == 0 && ::stat(path.c_str(), &named) == 0 &&
           opened.st_dev == named.st_dev && opened.st_ino == named.st_ino;
}
} // namespace

CInstanceLock::CInstanceLock(const std::string& path) : path_(path) {
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
        CFileDescriptor fd = CFileDescriptor::Open(path, O_RDWR | O_CREAT | O_CLOEXEC, 0600);
        if (!fd.IsValid()) {
            state_ = State::Unavailable;
            return;
        }
        int locked = 0;
        do
            locked = ::flock(fd.Get(), LOCK_EX | LOCK_NB);
        while (locked != 0 && errno == EINTR);
        if (locked != 0) {
            state_ = errno == EWOULDBLOCK ? State::HeldByOther : State::Unavailable;
            return;
        }
        if (SameFile(fd.Get(), path)) {
            fd_ = std::move(fd);
            state_ = State::Held;
            return;
        }
    }
    state_ = State::Unavailable;
}

CInstanceLock::~CInstanceLock() {
    if (state_ == State::Held)
        ::unlink(path_.c_str());
}

} // namespace kt
