#pragma once

#include <string>
#include <vector>

namespace kt {

// Runs a program to its end with the given standard input, and gives back its
// exit status (or 128 + signal) and what it wrote to stdout and stderr.
struct ProcessResult {
    int status = -1;
    std::string out;
    std::string err;
};

ProcessResult RunProcess(const std::vector<std::string>& argv, const std::string& input = {});

// The path of one of the project's programs in the build tree.
std::string ProgramPath(const std::string& name);

} // namespace kt
