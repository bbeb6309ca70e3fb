#include "CTempFile.h"

#include <cstdlib>
#include <unistd.h>
#include <vector>

namespace {
bool TryMake(const std::string& folder, const std::string& prefix, std::string& path) {
    if (folder.empty())
        return false;
    std::string pattern = folder;
    if (pattern.back() != '/')
        pattern += '/';
    pattern += prefix + "XXXXXX";
    if (!CTempFile::IsSafeInCommand(pattern))
        return false;
    std::vector<char> buffer(pattern.begin(), pattern.end());
    buffer.push_back('\0');
    const int fd = mkstemp(buffer.data()); // creates the file with mode 0600
    if (fd < 0)
        return false;
    close(fd);
    path.assign(buffer.data());
    return true;
}
} // namespace

CTempFile::CTempFile(const std::string& prefix) {
    const char* tmpdir = std::getenv("TMPDIR");
    if (!(tmpdir && TryMake(tmpdir, prefix, path_)))
        TryMake("/tmp", prefix, path_);
}

CTempFile::~CTempFile() {
    if (!path_.empty())
        unlink(path_.c_str());
}

bool CTempFile::IsSafeInCommand(const std::string& path) {
    if (path.empty())
        return false;
    for (unsigned char c : path)
        if (c == '"' || c == '=' || c < 0x20 || c == 0x7F)
            return false;
    return true;
}
