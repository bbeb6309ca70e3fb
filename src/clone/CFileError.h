#pragma once

#include <string>

namespace kt {

// Why the clone file failed: its path, the errno value and the text for it.
// code 0 means no failure.
struct CFileError {
    std::string path;
    int code = 0;
    std::string reason;
};

} // namespace kt
