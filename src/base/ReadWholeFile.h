#pragma once

#include <cstddef>
#include <string>

namespace kt {

// What became of reading a whole file. On failure, step names what failed and
// error holds errno's value where the system gave one.
struct CReadResult {
    enum class Step {
        Done,
        Open,       // the file could not be opened
        NotRegular, // a folder, device, FIFO or socket
        TooLarge,   // larger than the caller's bound
        Read,       // reading failed
    };
    Step step = Step::Done;
    int error = 0;

    bool Ok() const { return step == Step::Done; }
    std::string Reason() const;
};

// Reads the regular file at path, of at most maxBytes, into bytes. The file is
// opened without blocking, so that a FIFO without a writer or a device is
// refused at once instead of hanging the program; anything but a regular file
// is refused before a byte is read, and a file larger than maxBytes is
// refused without reading it all.
CReadResult ReadWholeFile(const std::string& path, std::size_t maxBytes, std::string& bytes);

} // namespace kt
