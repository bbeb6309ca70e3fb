#pragma once

#include <string>

// A private temporary file: created empty with mode 0600 by mkstemp in the
// temporary folder, with a name that begins with the given prefix ("cw" for
// a radio data object's file, "cl" for the clone file), and removed when the
// object dies. Paths travel inside engine commands between double quotes, so
// the folder is chosen where the whole path holds no double quote, "=" or
// control character: $TMPDIR when it is such a folder, else /tmp.
class CTempFile {
public:
    explicit CTempFile(const std::string& prefix);
    ~CTempFile();
    CTempFile(const CTempFile&) = delete;
    CTempFile& operator=(const CTempFile&) = delete;

    // Empty when no temporary file could be made.
    const std::string& Path() const { return path_; }
    bool IsValid() const { return !path_.empty(); }

    // Whether a path may stand between the double quotes of a file command.
    static bool IsSafeInCommand(const std::string& path);

private:
    std::string path_;
};
