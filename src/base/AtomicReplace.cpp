#include "AtomicReplace.h"

#include "CFileDescriptor.h"
#include "CTempFile.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace {
// The mode of the file being replaced, or 0666 less the umask for a new one.
mode_t ModeFor(const std::string& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) == 0)
        return st.st_mode & 07777;
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

std::string FolderOf(const std::string& path) {
    const std::filesystem::path parent = std::filesystem::path(path).parent_path();
    return parent.empty() ? std::string(".") : parent.string();
}

CReplaceResult Failed(CReplaceResult::Step step) {
    return {step, errno};
}
} // namespace

std::string CReplaceResult::Reason() const {
    return CFileDescriptor::ErrorText(error);
}

CReplaceResult AtomicReplace(const std::string& path, std::string_view bytes) {
    const std::string folder = FolderOf(path);
    const std::string name = std::filesystem::path(path).filename().string();
    CTempFile temp(folder, name + ".");
    if (!temp.IsValid())
        return Failed(CReplaceResult::Step::MakeTemporary);
    const CFileDescriptor& fd = temp.Descriptor();
    if (!fd.WriteAll(bytes) || ::fchmod(fd.Get(), ModeFor(path)) != 0 || ::fsync(fd.Get()) != 0)
        return Failed(CReplaceResult::Step::Write);
    if (!temp.CloseDescriptor())
        return Failed(CReplaceResult::Step::Write);
    if (std::rename(temp.Path().c_str(), path.c_str()) != 0)
        return Failed(CReplaceResult::Step::Replace);
    temp.Keep();
    // The rename is in place; a folder that cannot be synced (some network
    // file systems refuse) does not undo it.
    const CFileDescriptor dir = CFileDescriptor::Open(folder, O_RDONLY | O_DIRECTORY);
    if (dir.IsValid())
        ::fsync(dir.Get());
    return {};
}
