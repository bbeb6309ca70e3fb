#pragma once

#include "CFileDescriptor.h"
#include "SignalCleanup.h"

#include <string>

namespace kt {

// A private temporary file: created empty with mode 0600 by mkstemp, with a
// name that begins with the given prefix, and removed when the object dies
// unless it has been handed over with Keep (renamed into place, say). While
// it is this object's to remove, a terminating signal removes it too
// (SignalCleanup).
//
// Made in the temporary folder ("cw" for a radio data object's file, "cl" for
// the clone file), paths travel inside engine commands between double quotes,
// so the folder is chosen where the whole path holds no double quote, "=" or
// control character: $TMPDIR when it is such a folder, else /tmp.
class CTempFile {
public:
    explicit CTempFile(const std::string& prefix);
    // folder/prefixXXXXXX, in the folder given (any path). The descriptor
    // mkstemp opened stays open for writing until CloseDescriptor.
    CTempFile(const std::string& folder, const std::string& prefix);
    ~CTempFile();
    CTempFile(const CTempFile&) = delete;
    CTempFile& operator=(const CTempFile&) = delete;

    // Empty when no temporary file could be made (errno tells why).
    const std::string& Path() const { return path_; }
    bool IsValid() const { return !path_.empty(); }

    // The open descriptor of a file made in a given folder.
    const CFileDescriptor& Descriptor() const { return fd_; }
    // Closes it; false, with errno, when close reports a failure.
    bool CloseDescriptor();

    // The file is no longer this object's to remove.
    void Keep() {
        cleanup_.Reset();
        path_.clear();
    }

    // Whether a path may stand between the double quotes of a file command.
    static bool IsSafeInCommand(const std::string& path);

private:
    bool Make(const std::string& folder, const std::string& prefix, bool keepOpen);

    std::string path_;
    CFileDescriptor fd_;
    CCleanupEntry cleanup_;
};

} // namespace kt
