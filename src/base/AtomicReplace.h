#pragma once

#include <string>
#include <string_view>

// What became of replacing a file's contents. On failure, step names what
// failed and error holds errno's value; the file at the path is untouched.
struct CReplaceResult {
    enum class Step {
        Done,
        MakeTemporary, // no temporary file could be made beside the target
        Write,         // writing, syncing or closing the temporary file failed
        Replace,       // the temporary file could not take the target's place
    };
    Step step = Step::Done;
    int error = 0;

    bool Ok() const { return step == Step::Done; }
    // The system's text for error.
    std::string Reason() const;
};

// Replaces the file at path with bytes so that a reader, a crash or a full
// disk never leaves a mixture: the bytes go into a temporary file in the same
// folder, are synced, and the temporary file is renamed over path; then the
// folder is synced so that the rename itself survives a power cut. The new
// file keeps the mode of the file it replaces; a new file gets 0666 less the
// umask.
CReplaceResult AtomicReplace(const std::string& path, std::string_view bytes);
