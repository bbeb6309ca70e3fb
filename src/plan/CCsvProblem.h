#pragma once

#include <string>
#include <vector>

namespace kt {

// One thing wrong with, or worth knowing about, a channel list being imported.
// An error stops the import; a warning tells what the radio made of a value.
struct CCsvProblem {
    enum class Kind { Error, Warning };

    int line = 0; // the line of the text it concerns; 0 for the text as a whole
    Kind kind = Kind::Error;
    std::string text;

    bool IsError() const { return kind == Kind::Error; }
    // "line 5: error: <text>", or "error: <text>" without a line.
    std::string ToString() const;
};

bool HasErrors(const std::vector<CCsvProblem>& problems);

} // namespace kt
