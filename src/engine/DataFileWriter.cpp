#include "DataFileWriter.h"

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace kt {

namespace {
// Owns an open file descriptor; Close reports whether closing succeeded.
class CWriteHandle {
public:
    explicit CWriteHandle(int fd) : fd_(fd) {}
    ~CWriteHandle() {
        if (fd_ >= 0)
            ::close(fd_);
    }
    CWriteHandle(const CWriteHandle&) = delete;
    CWriteHandle& operator=(const CWriteHandle&) = delete;

    int Fd() const { return fd_; }
    bool Close() {
        const int fd = fd_;
        fd_ = -1;
        // On Linux the descriptor is gone even when close is interrupted.
        return ::close(fd) == 0 || errno == EINTR;
    }

private:
    int fd_;
};
} // namespace

bool WriteDataFile(const std::string& path, std::string_view content) {
    // A path that holds a zero byte would name some other file.
    if (path.empty() || path.find('\0') != std::string::npos)
        return false;
    // Non-blocking for the open alone, so that a FIFO without a reader fails
    // at once instead of hanging the program.
    CWriteHandle file(::open(
        path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC | O_NOCTTY | O_NONBLOCK, 0666));
    if (file.Fd() < 0)
        return false;
    const int flags = ::fcntl(file.Fd(), F_GETFL);
    if (flags >= 0)
        ::fcntl(file.Fd(), F_SETFL, flags & ~O_NONBLOCK);
    while (!content.empty()) {
        const ssize_t n = ::write(file.Fd(), content.data(), content.size());
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            // A file cut short at a line end would read as a data file that
            // lacks records, and a clone write would send it as it is: leave
            // it empty instead.
            while (::ftruncate(file.Fd(), 0) != 0 && errno == EINTR) {
            }
            return false;
        }
        content.remove_prefix(static_cast<std::size_t>(n));
    }
    return file.Close();
}

} // namespace kt
