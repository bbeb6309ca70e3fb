#pragma once

#include <string>
#include <string_view>
#include <sys/types.h>

namespace kt {

// Owns one POSIX file descriptor and closes it when it dies. It can be moved
// but not copied. The calls that an interrupting signal may break off are
// repeated until they finish.
class CFileDescriptor {
public:
    CFileDescriptor() = default;
    explicit CFileDescriptor(int fd) : fd_(fd) {}
    ~CFileDescriptor() { Reset(); }

    CFileDescriptor(CFileDescriptor&& other) noexcept : fd_(other.Release()) {}
    CFileDescriptor& operator=(CFileDescriptor&& other) noexcept;
    CFileDescriptor(const CFileDescriptor&) = delete;
    CFileDescriptor& operator=(const CFileDescriptor&) = delete;

    // open(2), repeated while it is interrupted. An invalid object on
    // failure, with errno telling why.
    static CFileDescriptor Open(const std::string& path, int flags, mode_t mode = 0);

    bool IsValid() const { return fd_ >= 0; }
    int Get() const { return fd_; }
    // Gives up ownership without closing.
    int Release();
    // Closes the descriptor it holds (if any) and takes fd instead. close(2)
    // is not repeated on EINTR: Linux has released the descriptor by then.
    void Reset(int fd = -1);

    // One read(2) or write(2), repeated while it is interrupted; the result
    // of the call (-1 with errno on failure).
    ssize_t ReadSome(void* buffer, size_t count) const;
    ssize_t WriteSome(const void* buffer, size_t count) const;
    // Writes every byte, however many calls it takes; false, with errno, when
    // a write fails or writes nothing.
    bool WriteAll(std::string_view bytes) const;
    // ioctl(2) with one argument, repeated while it is interrupted.
    int Ioctl(unsigned long request, void* argument) const;

    // The system's text for an errno value.
    static std::string ErrorText(int code);

private:
    int fd_ = -1;
};

} // namespace kt
