#include "CCloneFile.h"

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace kt {

namespace {
constexpr std::size_t kReadChunk = 4096;
constexpr mode_t kNewFileMode = 0666; // narrowed by the umask
} // namespace

bool CCloneFile::OpenForWriting(const std::string& path) {
    return Open(path, O_RDWR | O_CREAT | O_TRUNC);
}

bool CCloneFile::OpenForReading(const std::string& path) {
    return Open(path, O_RDONLY);
}

bool CCloneFile::Open(const std::string& path, int flags) {
    Close();
    path_ = path;
    buffer_.clear();
    position_ = 0;
    atEnd_ = false;
    linesRead_ = 0;
    error_ = {};
    fd_ = CFileDescriptor::Open(path, flags, kNewFileMode);
    return fd_.IsValid() || Fail(errno);
}

bool CCloneFile::WriteLine(std::string_view text) {
    if (!fd_.IsValid())
        return Fail(EBADF);
    std::string line(text);
    line += "\r\n";
    std::size_t done = 0;
    while (done < line.size()) {
        const ssize_t n = fd_.WriteSome(line.data() + done, line.size() - done);
        if (n < 0)
            return Fail(errno);
        if (n == 0)
            return Fail(ENOSPC);
        done += static_cast<std::size_t>(n);
    }
    return true;
}

CCloneFile::ReadResult CCloneFile::ReadLine(std::string& line) {
    if (!fd_.IsValid()) {
        Fail(EBADF);
        return ReadResult::Failed;
    }
    line.clear();
    bool any = false;
    for (;;) {
        if (position_ == buffer_.size()) {
            if (atEnd_)
                break;
            buffer_.resize(kReadChunk);
            const ssize_t n = fd_.ReadSome(buffer_.data(), buffer_.size());
            if (n < 0) {
                buffer_.clear();
                position_ = 0;
                Fail(errno);
                return ReadResult::Failed;
            }
            buffer_.resize(static_cast<std::size_t>(n));
            position_ = 0;
            atEnd_ = n == 0;
            continue;
        }
        any = true;
        const char c = buffer_[position_++];
        if (c == '\n') {
            if (!line.empty() && line.back() == '\r')
                line.pop_back();
            ++linesRead_;
            return ReadResult::Line;
        }
        line += c;
    }
    if (!any)
        return ReadResult::End;
    // A last line without line end.
    ++linesRead_;
    return ReadResult::Line;
}

bool CCloneFile::Close() {
    if (!fd_.IsValid())
        return true;
    const int fd = fd_.Release();
    if (::close(fd) != 0 && errno != EINTR)
        return Fail(errno);
    return true;
}

bool CCloneFile::Fail(int code) {
    error_.path = path_;
    error_.code = code;
    error_.reason = CFileDescriptor::ErrorText(code);
    return false;
}

} // namespace kt
