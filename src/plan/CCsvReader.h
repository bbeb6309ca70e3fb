#pragma once

#include "CCsvProblem.h"

#include <string>
#include <string_view>
#include <vector>

namespace kt {

// One record of a comma-separated text: its fields and the line it starts on.
struct CCsvRecord {
    int line = 0;
    std::vector<std::string> fields;
};

// Splits a comma-separated text into records, as RFC 4180 writes them and as
// spreadsheets and radio programming tools produce them:
// - a field in double quotes may hold commas, line ends and doubled quotes
//   (each standing for one quote); it is taken exactly as written;
// - a field without quotes is taken without the blanks and tabs around it, and
//   a quote inside it is an ordinary character;
// - lines end with CR LF, LF or a lone CR; a UTF-8 byte order mark at the
//   start is skipped;
// - blank lines, and lines whose first character other than a blank or tab is
//   "#", are no records.
// A record with a quoting fault (a quote never closed, or text after a closing
// quote) is left out and reported as an error with its line.
namespace CCsvReader {
struct Result {
    std::vector<CCsvRecord> records;
    std::vector<CCsvProblem> problems;
};

Result Read(std::string_view text);

// A field as it is written back: in double quotes, with quotes doubled,
// when it holds a comma, a quote, a line end, or a blank or tab at either
// end (which a reader would otherwise drop); as it is otherwise.
std::string Quote(std::string_view field);
} // namespace CCsvReader

} // namespace kt
