#pragma once

#include <iosfwd>

struct DocumentFileResult;

// Exit statuses of kt-m220-cli besides the clone outcomes, and the two ways a
// command ends with them.
inline constexpr int kUsageError = 2;
inline constexpr int kFileError = 3;

// "usage: kt-m220-cli <usage>" on err; gives kUsageError.
int Usage(std::ostream& err, const char* usage);
// The file's problem (and the engine's answer word) on err; gives kFileError.
int FileError(std::ostream& err, const DocumentFileResult& result);
