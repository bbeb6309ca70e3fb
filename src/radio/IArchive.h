#pragma once

#include <cstddef>

namespace kt {

// The byte stream a document is read from or written to. The desktop program
// backs it with the document's file, the command line with a file in memory.
class IArchive {
public:
    virtual ~IArchive() = default;

    // True while the document is being written (saved), false while read.
    virtual bool IsStoring() const = 0;
    // Reading: up to max bytes into buffer; 0 at the end of the stream.
    virtual std::size_t Read(char* buffer, std::size_t max) = 0;
    // Writing: all size bytes. A stream that fails keeps the failure to itself
    // and tells its owner afterwards.
    virtual void Write(const char* data, std::size_t size) = 0;
};

} // namespace kt
