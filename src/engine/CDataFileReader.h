#pragma once

#include <array>
#include <cstddef>
#include <string>

namespace kt {

// Reads a data file line by line. A line ends at LF, and a CR just before the
// LF is dropped; there is no other line end, and a last line without LF still
// counts. Lines are kept only up to a bound, so that a file of any size or
// shape costs no more memory than a legal line: a longer line is reported as
// too long as soon as that is known, and the caller may skip the rest of it.
class CDataFileReader {
public:
    enum class Status {
        Line,    // a whole line (possibly empty) is in the text
        TooLong, // the line exceeds the bound; the text holds its beginning
        End,     // no more lines
        Error,   // the operating system could not read the file
    };

    explicit CDataFileReader(std::size_t maxLineLength) : maxLineLength_(maxLineLength) {}
    ~CDataFileReader();
    CDataFileReader(const CDataFileReader&) = delete;
    CDataFileReader& operator=(const CDataFileReader&) = delete;

    // Opens the file for reading; false when it cannot be opened.
    bool Open(const std::string& path);
    Status ReadLine(std::string& line);
    // After TooLong: passes over the rest of that line. Answers Line when the
    // line is done with, or Error.
    Status SkipRestOfLine();

private:
    // Refills the buffer; false on a read error. At the end of the file the
    // buffer stays empty.
    bool Fill();

    std::size_t maxLineLength_;
    int fd_ = -1;
    bool inLongLine_ = false; // TooLong was answered before the line's LF was read
    std::size_t pos_ = 0;
    std::size_t end_ = 0;
    std::array<char, 4096> buffer_{};
};

} // namespace kt
