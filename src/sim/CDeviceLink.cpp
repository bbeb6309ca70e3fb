#include "CDeviceLink.h"

#include <cerrno>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace kt {

namespace {
std::string LinkTarget(const std::string& path) {
    std::vector<char> buffer(4096);
    const ssize_t n = ::readlink(path.c_str(), buffer.data(), buffer.size());
    return n < 0 ? std::string() : std::string(buffer.data(), static_cast<std::size_t>(n));
}
} // namespace

bool CDeviceLink::Make(const std::string& linkPath, const std::string& target, std::string& error) {
    Remove();
    struct stat st {};
    if (::lstat(linkPath.c_str(), &st) == 0) {
        if (!S_ISLNK(st.st_mode)) {
            error = linkPath + " exists and is not a symbolic link";
            return false;
        }
        if (::unlink(linkPath.c_str()) != 0 && errno != ENOENT) {
            error = "cannot replace " + linkPath + ": " + std::strerror(errno);
            return false;
        }
    }
    if (::symlink(target.c_str(), linkPath.c_str()) != 0) {
        error = "cannot make the link " + linkPath + ": " + std::strerror(errno);
        return false;
    }
    link_ = linkPath;
    target_ = target;
    return true;
}

void CDeviceLink::Remove() {
    if (link_.empty())
        return;
    if (LinkTarget(link_) == target_)
        ::unlink(link_.c_str());
    link_.clear();
    target_.clear();
}

} // namespace kt
