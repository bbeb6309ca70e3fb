#pragma once

#include <iosfwd>
#include <string>

namespace kt {

struct DocumentFileResult;

// Exit statuses of kt-m220-cli besides the clone outcomes, and the two ways a
// command ends with them.
inline constexpr int kUsageError = 2;
inline constexpr int kFileError = 3;
// set: a value the radio would store differently, and nothing was saved;
// import-csv, add-airport: a channel the spacing cannot hold.
inline constexpr int kValueChanged = 4;
// write: the question before the write was not answered OK; nothing was sent.
inline constexpr int kDeclinedWrite = 5;
// add-airport: fewer empty memory channels than channels to add; nothing saved.
inline constexpr int kTooFewChannels = 6;
// write --verify: the write went through, but reading it back got no answer.
inline constexpr int kNotVerified = 7;

// "usage: kt-m220-cli <usage>" on err; gives kUsageError.
int Usage(std::ostream& err, const char* usage);
// The file's problem (and the engine's answer word) on err; gives kFileError.
int FileError(std::ostream& err, const DocumentFileResult& result);
// A file written: done on out, gives 0; a file not written: FileError.
int Written(const DocumentFileResult& result, std::ostream& out, std::ostream& err,
            const std::string& done);

} // namespace kt
