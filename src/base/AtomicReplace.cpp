#include "AtomicReplace.h"

#include "CFileDescriptor.h"
#include "CTempFile.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace kt {

namespace {
// Links followed before a chain counts as a loop, as the kernel counts them.
constexpr int kMaxLinks = 40;

std::string FolderOf(const std::string& path) {
    const std::filesystem::path parent = std::filesystem::path(path).parent_path();
    return parent.empty() ? std::string(".") : parent.string();
}

CReplaceResult Failed(CReplaceResult::Step step, int error) {
    return {step, error};
}

// Whether the program may write what st describes. The superuser passes
// every permission check, so for it a file or folder without any write bit
// counts as protected; everyone else asks the system, which knows groups,
// access lists and read-only mounts.
bool Writable(const std::string& path, const struct stat& st) {
    if (::geteuid() == 0 && (st.st_mode & 0222) == 0)
        return false;
    return ::access(path.c_str(), W_OK) == 0;
}

// The checks of CheckReplaceable on the resolved target; exists tells whether
// it exists, st what it is then.
CReplaceResult Check(const std::string& target, bool& exists, struct stat& st) {
    exists = ::stat(target.c_str(), &st) == 0;
    if (!exists && errno != ENOENT)
        return Failed(CReplaceResult::Step::MakeTemporary, errno);
    if (exists && !S_ISREG(st.st_mode))
        return Failed(CReplaceResult::Step::NotRegular, S_ISDIR(st.st_mode) ? EISDIR : EINVAL);
    if (exists && !Writable(target, st))
        return Failed(CReplaceResult::Step::ReadOnly, EACCES);
    const std::string folder = FolderOf(target);
    struct stat dir {};
    if (::stat(folder.c_str(), &dir) != 0)
        return Failed(CReplaceResult::Step::MakeTemporary, errno);
    if (!S_ISDIR(dir.st_mode))
        return Failed(CReplaceResult::Step::MakeTemporary, ENOTDIR);
    if (!Writable(folder, dir))
        return Failed(CReplaceResult::Step::ReadOnlyFolder, EACCES);
    return {};
}

mode_t NewFileMode() {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}
} // namespace

std::string CReplaceResult::Reason() const {
    switch (step) {
    case Step::NotRegular:
        return "not a regular file";
    case Step::ReadOnly:
        return "the file is read-only";
    case Step::ReadOnlyFolder:
        return "its folder is read-only";
    default:
        return CFileDescriptor::ErrorText(error);
    }
}

std::string ReplaceTarget(const std::string& path) {
    std::string target = path;
    for (int hops = 0; hops < kMaxLinks; ++hops) {
        struct stat st {};
        if (::lstat(target.c_str(), &st) != 0 || !S_ISLNK(st.st_mode))
            return target;
        std::vector<char> buffer(PATH_MAX);
        const ssize_t n = ::readlink(target.c_str(), buffer.data(), buffer.size());
        if (n <= 0 || static_cast<std::size_t>(n) >= buffer.size())
            return target;
        const std::string link(buffer.data(), static_cast<std::size_t>(n));
        // A relative link is read from the folder that holds it.
        target = link.front() == '/' ? link : FolderOf(target) + "/" + link;
    }
    return target;
}

CReplaceResult CheckReplaceable(const std::string& path) {
    bool exists = false;
    struct stat st {};
    return Check(ReplaceTarget(path), exists, st);
}

CReplaceResult AtomicReplace(const std::string& path, std::string_view bytes) {
    const std::string target = ReplaceTarget(path);
    bool exists = false;
    struct stat old {};
    if (const CReplaceResult checked = Check(target, exists, old); !checked.Ok())
        return checked;

    const std::string folder = FolderOf(target);
    const std::string name = std::filesystem::path(target).filename().string();
    CTempFile temp(folder, name + ".");
    if (!temp.IsValid())
        return Failed(CReplaceResult::Step::MakeTemporary, errno);
    const CFileDescriptor& fd = temp.Descriptor();
    if (!fd.WriteAll(bytes))
        return Failed(CReplaceResult::Step::Write, errno);
    // The owner first: changing it may clear the set-user-ID bits of the mode.
    // Only the superuser may give a file away; for anyone else the new file is
    // theirs, as the old one mostly was.
    if (exists && (old.st_uid != ::geteuid() || old.st_gid != ::getegid()) &&
        ::fchown(fd.Get(), old.st_uid, old.st_gid) != 0 && ::geteuid() == 0)
        return Failed(CReplaceResult::Step::Write, errno);
    if (::fchmod(fd.Get(), exists ? (old.st_mode & 07777) : NewFileMode()) != 0 ||
        ::fsync(fd.Get()) != 0)
        return Failed(CReplaceResult::Step::Write, errno);
    if (!temp.CloseDescriptor())
        return Failed(CReplaceResult::Step::Write, errno);
    if (std::rename(temp.Path().c_str(), target.c_str()) != 0)
        return Failed(CReplaceResult::Step::Replace, errno);
    temp.Keep();
    // The rename is in place; a folder that cannot be synced (some network
    // file systems refuse) does not undo it.
    const CFileDescriptor dir = CFileDescriptor::Open(folder, O_RDONLY | O_DIRECTORY);
    if (dir.IsValid())
        ::fsync(dir.Get());
    return {};
}

} // namespace kt
