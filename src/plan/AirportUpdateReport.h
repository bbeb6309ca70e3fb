#pragma once

#include <string>
#include <string_view>

namespace kt {

// What "kt-m220-cli airports --update --progress" tells the program that runs
// it (Help > Update Airport Data), one line each on its standard error:
//   "progress N"     N percent of the table has arrived
//   "updated TEXT"   the new table is in place; TEXT says what it holds
//   "failed REASON"  the table in use is unchanged; REASON says why
// The last line is "updated" or "failed". Texts are kept to one line: every
// control character becomes a blank.
namespace AirportUpdateReport {

enum class Kind { kOther, kProgress, kUpdated, kFailed };

struct Line {
    Kind kind = Kind::kOther;
    int percent = 0;  // kProgress: 0 to 100
    std::string text; // kUpdated, kFailed
};

// The lines, without their line end.
std::string Progress(int percent);
std::string Updated(std::string_view text);
std::string Failed(std::string_view reason);

// One line as received (its line end ignored); a line of any other form, or
// a percentage outside 0 to 100, is kOther.
Line Read(std::string_view line);

} // namespace AirportUpdateReport

} // namespace kt
