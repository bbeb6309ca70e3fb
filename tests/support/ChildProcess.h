#pragma once

#include "ProcessRunner.h"

#include <optional>
#include <string>
#include <sys/resource.h>
#include <vector>

namespace kt {

// How a program run by RunChild is set up beyond its arguments.
struct ChildSetup {
    // "NAME=value" entries added to the environment (replacing a variable of
    // the same name).
    std::vector<std::string> environment;
    // RLIMIT_FSIZE: the largest file the program may write, in bytes.
    std::optional<rlim_t> fileSizeLimit;
    // SIGXFSZ ignored, so that a write past the limit fails with EFBIG
    // instead of ending the program.
    bool ignoreFileSizeSignal = false;
    // A file to read as standard input instead of an empty one.
    std::string standardInput;
};

struct ChildResult : ProcessResult {
    // The most memory the program held at once (its peak resident set).
    long maxResidentKb = 0;
};

// Runs a program to its end (standard input: setup.standardInput or nothing)
// and gives back its
// exit status (or 128 + signal), what it wrote to stdout and stderr, and its
// peak memory.
ChildResult RunChild(const std::vector<std::string>& argv, const ChildSetup& setup = {});

} // namespace kt
