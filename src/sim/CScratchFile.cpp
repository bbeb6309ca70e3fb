#include "CScratchFile.h"

#include <cstdlib>
#include <unistd.h>
#include <vector>

CScratchFile::CScratchFile(const std::string& folder, const std::string& prefix) {
    std::string pattern = folder + "/" + prefix + "XXXXXX";
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    const int fd = mkstemp(name.data());
    if (fd < 0)
        return;
    ::close(fd);
    path_ = name.data();
}

CScratchFile::~CScratchFile() {
    if (!path_.empty())
        ::unlink(path_.c_str());
}

std::string CScratchFile::SystemFolder() {
    const char* dir = std::getenv("TMPDIR");
    return dir != nullptr && *dir != '\0' ? dir : "/tmp";
}
