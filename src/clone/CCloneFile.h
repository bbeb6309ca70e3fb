#pragma once

#include "CFileDescriptor.h"
#include "CFileError.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace kt {

// The clone file while an exchange uses it: a text file of lines, each
// written with CR LF. A line read ends at LF, with a CR before it dropped.
// Each line is written out at once, so that a failure shows at that line.
// The file is closed when the object dies.
class CCloneFile {
public:
    enum class ReadResult { Line, End, Failed };

    // Creates the file, or cuts it to length 0.
    bool OpenForWriting(const std::string& path);
    bool OpenForReading(const std::string& path);
    bool IsOpen() const { return fd_.IsValid(); }

    // Writes text and CR LF.
    bool WriteLine(std::string_view text);
    ReadResult ReadLine(std::string& line);
    // Number of lines read since opening.
    std::size_t LinesRead() const { return linesRead_; }

    // Closes the file; false when closing reports a failure.
    bool Close();

    // The last failure.
    const CFileError& Error() const { return error_; }

private:
    bool Open(const std::string& path, int flags);
    bool Fail(int code);

    CFileDescriptor fd_;
    std::string path_;
    std::string buffer_;
    std::size_t position_ = 0;
    bool atEnd_ = false;
    std::size_t linesRead_ = 0;
    CFileError error_;
};

} // namespace kt
