#pragma once

#include "IArchive.h"

#include <string>
#include <utility>

namespace kt {

// An archive held in memory: either the bytes of a document to read, or the
// bytes written by a save.
class CMemoryArchive : public IArchive {
public:
    // A storing archive that collects what is written.
    CMemoryArchive() : storing_(true) {}
    // A loading archive that gives the bytes of a document.
    explicit CMemoryArchive(std::string bytes) : storing_(false), bytes_(std::move(bytes)) {}

    bool IsStoring() const override { return storing_; }
    std::size_t Read(char* buffer, std::size_t max) override;
    void Write(const char* data, std::size_t size) override { bytes_.append(data, size); }

    const std::string& Bytes() const { return bytes_; }

private:
    bool storing_;
    std::string bytes_;
    std::size_t readPos_ = 0;
};

} // namespace kt
