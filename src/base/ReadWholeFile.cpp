#include "ReadWholeFile.h"

#include "CFileDescriptor.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <vector>

namespace kt {

std::string CReadResult::Reason() const {
    return CFileDescriptor::ErrorText(error);
}

CReadResult ReadWholeFile(const std::string& path, std::size_t maxBytes, std::string& bytes) {
    bytes.clear();
    const CFileDescriptor fd = CFileDescriptor::Open(path, O_RDONLY | O_NOCTTY | O_NONBLOCK);
    if (!fd.IsValid())
        return {CReadResult::Step::Open, errno};
    struct stat st {};
    if (::fstat(fd.Get(), &st) != 0)
        return {CReadResult::Step::Read, errno};
    if (!S_ISREG(st.st_mode))
        return {CReadResult::Step::NotRegular, 0};
    if (static_cast<std::uintmax_t>(st.st_size) > maxBytes)
        return {CReadResult::Step::TooLarge, 0};
    const int flags = ::fcntl(fd.Get(), F_GETFL);
    if (flags >= 0)
        ::fcntl(fd.Get(), F_SETFL, flags & ~O_NONBLOCK);
    std::vector<char> chunk(64 * 1024);
    for (;;) {
        const ssize_t n = fd.ReadSome(chunk.data(), chunk.size());
        if (n < 0)
            return {CReadResult::Step::Read, errno};
        if (n == 0)
            return {};
        bytes.append(chunk.data(), static_cast<std::size_t>(n));
        // The file may grow while it is read.
        if (bytes.size() > maxBytes)
            return {CReadResult::Step::TooLarge, 0};
    }
}

} // namespace kt
