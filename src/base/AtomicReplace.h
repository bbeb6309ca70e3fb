#pragma once

#include <string>
#include <string_view>

namespace kt {

// What became of replacing a file's contents. On failure, step names what
// failed and error holds errno's value; the file at the path is untouched.
struct CReplaceResult {
    enum class Step {
        Done,
        NotRegular,     // the path names a folder, device, FIFO or socket
        ReadOnly,       // the file has no write permission
        ReadOnlyFolder, // its folder has no write permission
        MakeTemporary,  // no temporary file could be made beside the target
        Write,          // writing, syncing or closing the temporary file failed
        Replace,        // the temporary file could not take the target's place
    };
    Step step = Step::Done;
    int error = 0;

    bool Ok() const { return step == Step::Done; }
    // Why it failed, for the user: the system's text for error, or what was
    // refused ("the file is read-only").
    std::string Reason() const;
};

// The file a save to path writes: path itself, or the file a symbolic link
// (or a chain of them) at path leads to, which need not exist yet.
std::string ReplaceTarget(const std::string& path);

// Whether AtomicReplace would write path, checked without writing anything:
// the target (ReplaceTarget) is a regular file or does not exist yet, it and
// its folder are writable, and the folder exists. A file or folder that has no
// write permission counts as protected for the superuser too, who could write
// it anyway.
CReplaceResult CheckReplaceable(const std::string& path);

// Replaces the file at path with bytes so that a reader, a crash or a full
// disk never leaves a mixture: the bytes go into a temporary file in the same
// folder, are synced, and the temporary file is renamed over path; then the
// folder is synced so that the rename itself survives a power cut.
//
// It respects what the user protected: it first makes the checks of
// CheckReplaceable and replaces nothing when one fails; a symbolic link stays a
// link and the file it leads to is replaced. The new file keeps the mode (and,
// where the program may set them, the owner and group) of the file it
// replaces; a new file gets 0666 less the umask.
CReplaceResult AtomicReplace(const std::string& path, std::string_view bytes);

} // namespace kt
