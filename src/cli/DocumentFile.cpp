#include "DocumentFile.h"

#include "CFileFormatError.h"
#include "CMemoryArchive.h"
#include "CRadioData.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {
// A data file is about 1.2 kB; anything beyond this is not one.
constexpr off_t kMaxDocumentSize = 16 * 1024 * 1024;

class Fd {
public:
    explicit Fd(int fd) : fd_(fd) {}
    ~Fd() {
        if (fd_ >= 0)
            close(fd_);
    }
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    int Get() const { return fd_; }
    int Release() {
        const int fd = fd_;
        fd_ = -1;
        return fd;
    }

private:
    int fd_;
};

DocumentFileResult SystemFailure(const std::string& what, const std::string& path) {
    return {false, what + " " + path + ": " + std::strerror(errno), {}};
}

bool WriteAll(int fd, const std::string& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        done += static_cast<std::size_t>(n);
    }
    return true;
}
} // namespace

DocumentFileResult LoadDocument(CRadioData& radio, const std::string& path) {
    // Non-blocking for the open, so that a FIFO without a writer is refused
    // below instead of hanging the program here.
    Fd fd(open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK));
    if (fd.Get() < 0)
        return SystemFailure("cannot open", path);
    struct stat st {};
    if (fstat(fd.Get(), &st) != 0)
        return SystemFailure("cannot read", path);
    if (!S_ISREG(st.st_mode))
        return {false, path + " is not a regular file", {}};
    const int flags = fcntl(fd.Get(), F_GETFL);
    if (flags >= 0)
        fcntl(fd.Get(), F_SETFL, flags & ~O_NONBLOCK);
    if (st.st_size > kMaxDocumentSize)
        return {false, path + ": " + CFileFormatError::kMessage, "FORMAT_ERROR"};
    std::string bytes;
    std::vector<char> chunk(64 * 1024);
    for (;;) {
        const ssize_t n = read(fd.Get(), chunk.data(), chunk.size());
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return SystemFailure("cannot read", path);
        }
        if (n == 0)
            break;
        bytes.append(chunk.data(), static_cast<std::size_t>(n));
        if (static_cast<off_t>(bytes.size()) > kMaxDocumentSize)
            return {false, path + ": " + CFileFormatError::kMessage, "FORMAT_ERROR"};
    }
    try {
        CMemoryArchive archive(std::move(bytes));
        radio.Serialize(archive);
    } catch (const CFileFormatError& e) {
        return {false, path + ": " + e.what(), e.AnswerWord()};
    }
    return {};
}

DocumentFileResult SaveDocument(CRadioData& radio, const std::string& path) {
    CMemoryArchive archive;
    try {
        radio.Serialize(archive);
    } catch (const CFileFormatError& e) {
        return {false, path + ": " + e.what(), e.AnswerWord()};
    }

    // The new file takes the old one's permissions; a new file gets the usual
    // ones for a document (0666 less the umask).
    mode_t mode = 0666;
    struct stat st {};
    const bool existed = stat(path.c_str(), &st) == 0;
    if (existed)
        mode = st.st_mode & 07777;
    else {
        const mode_t mask = umask(0);
        umask(mask);
        mode &= ~mask;
    }

    std::string temp = path + ".XXXXXX";
    Fd fd(mkstemp(temp.data()));
    if (fd.Get() < 0)
        return SystemFailure("cannot write a temporary file beside", path);
    const auto fail = [&](const char* what) {
        DocumentFileResult r = SystemFailure(what, path);
        unlink(temp.c_str());
        return r;
    };
    if (!WriteAll(fd.Get(), archive.Bytes()))
        return fail("cannot write");
    if (fchmod(fd.Get(), mode) != 0 || fsync(fd.Get()) != 0)
        return fail("cannot write");
    if (close(fd.Release()) != 0)
        return fail("cannot write");
    if (rename(temp.c_str(), path.c_str()) != 0)
        return fail("cannot replace");
    return {};
}
