#include "TextFile.h"

#include "CFileDescriptor.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
DocumentFileResult SystemFailure(const std::string& what, const std::string& path) {
    return {false, what + " " + path + ": " + std::strerror(errno), {}};
}
} // namespace

DocumentFileResult ReadTextFile(const std::string& path, std::size_t maxBytes, std::string& bytes) {
    bytes.clear();
    const CFileDescriptor fd = CFileDescriptor::Open(path, O_RDONLY | O_CLOEXEC);
    if (!fd.IsValid())
        return SystemFailure("cannot open", path);
    struct stat st {};
    if (fstat(fd.Get(), &st) != 0)
        return SystemFailure("cannot read", path);
    if (!S_ISREG(st.st_mode))
        return {false, path + " is not a regular file", {}};
    char chunk[16384];
    for (;;) {
        const ssize_t n = fd.ReadSome(chunk, sizeof chunk);
        if (n < 0)
            return SystemFailure("cannot read", path);
        if (n == 0)
            return {};
        bytes.append(chunk, static_cast<std::size_t>(n));
        if (bytes.size() > maxBytes)
            return {false, path + " is too large for a channel list", {}};
    }
}

DocumentFileResult WriteTextFile(const std::string& path, const std::string& bytes) {
    // The new file takes the old one's permissions; a new file gets 0666 less
    // the umask.
    mode_t mode = 0666;
    struct stat st {};
    if (stat(path.c_str(), &st) == 0) {
        mode = st.st_mode & 07777;
    } else {
        const mode_t mask = umask(0);
        umask(mask);
        mode &= ~mask;
    }
    std::string temp = path + ".XXXXXX";
    CFileDescriptor fd(mkstemp(temp.data()));
    if (!fd.IsValid())
        return SystemFailure("cannot write a temporary file beside", path);
    const auto fail = [&](const char* what) {
        DocumentFileResult r = SystemFailure(what, path);
        unlink(temp.c_str());
        return r;
    };
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = fd.WriteSome(bytes.data() + done, bytes.size() - done);
        if (n <= 0)
            return fail("cannot write");
        done += static_cast<std::size_t>(n);
    }
    if (fchmod(fd.Get(), mode) != 0 || fsync(fd.Get()) != 0 || close(fd.Release()) != 0)
        return fail("cannot write");
    if (rename(temp.c_str(), path.c_str()) != 0)
        return fail("cannot replace");
    return {};
}
