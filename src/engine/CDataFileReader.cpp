#include "CDataFileReader.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace kt {

CDataFileReader::~CDataFileReader() {
    if (fd_ >= 0)
        ::close(fd_);
}

bool CDataFileReader::Open(const std::string& path) {
    // A path that holds a zero byte would name some other file.
    if (fd_ >= 0 || path.empty() || path.find('\0') != std::string::npos)
        return false;
    // Non-blocking for the open alone, so that a FIFO without a writer does
    // not hang the program; reads then block as usual.
    fd_ = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
    if (fd_ < 0)
        return false;
    const int flags = ::fcntl(fd_, F_GETFL);
    if (flags >= 0)
        ::fcntl(fd_, F_SETFL, flags & ~O_NONBLOCK);
    return true;
}

bool CDataFileReader::Fill() {
    pos_ = 0;
    end_ = 0;
    for (;;) {
        const ssize_t n = ::read(fd_, buffer_.data(), buffer_.size());
        if (n >= 0) {
            end_ = static_cast<std::size_t>(n);
            return true;
        }
        if (errno != EINTR)
            return false;
    }
}

CDataFileReader::Status CDataFileReader::ReadLine(std::string& line) {
    line.clear();
    if (fd_ < 0)
        return Status::Error;
    inLongLine_ = false;
    bool anyCharacter = false;
    for (;;) {
        if (pos_ == end_) {
            if (!Fill())
                return Status::Error;
            if (end_ == 0)
                return anyCharacter ? Status::Line : Status::End;
        }
        const char* start = buffer_.data() + pos_;
        const std::size_t available = end_ - pos_;
        const void* lf = std::memchr(start, '\n', available);
        const std::size_t take =
            lf != nullptr ? static_cast<std::size_t>(static_cast<const char*>(lf) - start)
                          : available;
        anyCharacter = true;
        // Room for one character more than the bound: it may be the CR of a CR LF.
        const std::size_t room = maxLineLength_ + 1 - line.size();
        line.append(start, take < room ? take : room);
        pos_ += take;
        if (lf != nullptr) {
            ++pos_; // the LF
            if (take <= room) {
                if (!line.empty() && line.back() == '\r')
                    line.pop_back();
                if (line.size() <= maxLineLength_)
                    return Status::Line;
            }
            line.resize(maxLineLength_);
            return Status::TooLong;
        }
        if (take > room) {
            line.resize(maxLineLength_);
            inLongLine_ = true;
            return Status::TooLong;
        }
    }
}

CDataFileReader::Status CDataFileReader::SkipRestOfLine() {
    while (inLongLine_) {
        if (pos_ == end_) {
            if (!Fill())
                return Status::Error;
            if (end_ == 0)
                break; // the long line was the last one
        }
        const char* start = buffer_.data() + pos_;
        const void* lf = std::memchr(start, '\n', end_ - pos_);
        if (lf != nullptr) {
            pos_ += static_cast<std::size_t>(static_cast<const char*>(lf) - start) + 1;
            break;
        }
        pos_ = end_;
    }
    inLongLine_ = false;
    return Status::Line;
}

} // namespace kt
