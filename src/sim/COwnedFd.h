#pragma once

// Owns one open file descriptor and closes it when it dies. Move-only.
class COwnedFd {
public:
    COwnedFd() = default;
    explicit COwnedFd(int fd) : fd_(fd) {}
    ~COwnedFd() { Close(); }
    COwnedFd(COwnedFd&& other) noexcept : fd_(other.Release()) {}
    COwnedFd& operator=(COwnedFd&& other) noexcept;
    COwnedFd(const COwnedFd&) = delete;
    COwnedFd& operator=(const COwnedFd&) = delete;

    int Get() const { return fd_; }
    bool IsOpen() const { return fd_ >= 0; }
    int Release();
    void Close();

private:
    int fd_ = -1;
};
