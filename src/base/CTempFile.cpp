#include "CTempFile.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <unistd.h>
#include <vector>

namespace kt {

CTempFile::CTempFile(const std::string& prefix) {
    const char* tmpdir = std::getenv("TMPDIR");
    if (!(tmpdir && Make(tmpdir, prefix, false)))
        Make("/tmp", prefix, false);
}

CTempFile::CTempFile(const std::string& folder, const std::string& prefix) {
    Make(folder.empty() ? "." : folder, prefix, true);
}

CTempFile::~CTempFile() {
    fd_.Reset();
    // Removed before it is unregistered, so that no signal finds it neither
    // removed nor registered.
    if (!path_.empty())
        unlink(path_.c_str());
    cleanup_.Reset();
}

bool CTempFile::Make(const std::string& folder, const std::string& prefix, bool keepOpen) {
    if (folder.empty())
        return false;
    std::string pattern = folder;
    if (pattern.back() != '/')
        pattern += '/';
    pattern += prefix + "XXXXXX";
    if (!keepOpen && !IsSafeInCommand(pattern)) {
        errno = EINVAL;
        return false;
    }
    std::vector<char> buffer(pattern.begin(), pattern.end());
    buffer.push_back('\0');
    // No signal may end the program between making the file and registering it.
    SignalCleanup::CBlockedSignals blocked;
    CFileDescriptor fd(mkostemp(buffer.data(), O_CLOEXEC)); // mode 0600
    if (!fd.IsValid())
        return false;
    cleanup_ = CCleanupEntry::File(buffer.data());
    if (keepOpen)
        fd_ = std::move(fd);
    path_.assign(buffer.data());
    return true;
}

bool CTempFile::CloseDescriptor() {
    if (!fd_.IsValid())
        return true;
    return ::close(fd_.Release()) == 0;
}

bool CTempFile::IsSafeInCommand(const std::string& path) {
    if (path.empty())
        return false;
    for (unsigned char c : path)
        if (c == '"' || c == '=' || c < 0x20 || c == 0x7F)
            return false;
    return true;
}

} // namespace kt
