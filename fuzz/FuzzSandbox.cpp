#include "FuzzSandbox.h"

#include <cstdio>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <unistd.h>

namespace kt {

namespace {
bool UsableParent(const char* folder) {
    if (folder == nullptr || folder[0] != '/')
        return false;
    for (const char* c = folder; *c != '\0'; ++c)
        if (*c == '.' || *c == '=' || *c == '"' || static_cast<unsigned char>(*c) < 0x20)
            return false;
    return true;
}

void RemoveEntries(const std::string& folder) {
    DIR* dir = opendir(folder.c_str());
    if (dir == nullptr)
        return;
    while (const dirent* entry = readdir(dir)) {
        const std::string name = entry->d_name;
        if (name != "." && name != "..")
            unlink((folder + "/" + name).c_str());
    }
    closedir(dir);
}

struct Sandbox {
    Sandbox() {
        // Memory first: a file cut to length 0 and written again is flushed
        // to the disk at once on some file systems, which would make every
        // run wait for the disk.
        // KT_FUZZ_TMPDIR lets a script choose the place and clean up after
        // a run that stopped on a finding.
        const char* chosen = std::getenv("KT_FUZZ_TMPDIR");
        const char* tmpdir = std::getenv("TMPDIR");
        std::string pattern = UsableParent(chosen)            ? chosen
                              : access("/dev/shm", W_OK) == 0 ? "/dev/shm"
                              : UsableParent(tmpdir)          ? tmpdir
                                                              : "/tmp";
        if (pattern.back() != '/')
            pattern += '/';
        pattern += "kt-fuzz-XXXXXX";
        if (mkdtemp(pattern.data()) == nullptr) {
            std::perror("kt-fuzz: cannot make a private folder");
            std::abort();
        }
        folder = pattern;
        // The temporary files of the radio data objects go there too.
        setenv("TMPDIR", folder.c_str(), 1);
    }
    ~Sandbox() {
        RemoveEntries(folder);
        rmdir(folder.c_str());
    }
    std::string folder;
};

Sandbox& TheSandbox() {
    static Sandbox sandbox;
    return sandbox;
}
} // namespace

namespace FuzzSandbox {
const std::string& Folder() {
    return TheSandbox().folder;
}

std::string File(std::string_view name) {
    return Folder() + "/" + std::string(name);
}

void Clear() {
    RemoveEntries(Folder());
}

bool WriteBytes(const std::string& path, std::string_view bytes) {
    const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    if (fd < 0)
        return false;
    bool ok = true;
    while (ok && !bytes.empty()) {
        const ssize_t n = write(fd, bytes.data(), bytes.size());
        ok = n > 0;
        if (ok)
            bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return close(fd) == 0 && ok;
}

bool ReadBytes(const std::string& path, std::string& bytes) {
    bytes.clear();
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    char buffer[4096];
    ssize_t n;
    while ((n = read(fd, buffer, sizeof buffer)) > 0)
        bytes.append(buffer, static_cast<std::size_t>(n));
    close(fd);
    return n == 0;
}
} // namespace FuzzSandbox

} // namespace kt
