#pragma once

#include <string>

// A file of a unique name, made empty at construction and removed when the
// object dies (unless it has been handed over with Keep, e.g. renamed away).
class CScratchFile {
public:
    // Makes folder/prefixXXXXXX. Good() tells whether that worked.
    CScratchFile(const std::string& folder, const std::string& prefix);
    ~CScratchFile();
    CScratchFile(const CScratchFile&) = delete;
    CScratchFile& operator=(const CScratchFile&) = delete;

    bool Good() const { return !path_.empty(); }
    const std::string& Path() const { return path_; }
    // The file is no longer this object's to remove.
    void Keep() { path_.clear(); }

    // The temporary folder of the system ($TMPDIR or /tmp).
    static std::string SystemFolder();

private:
    std::string path_;
};
