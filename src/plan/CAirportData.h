#pragma once

#include "CAirportTable.h"

#include <string>

namespace kt {

// Where the airport frequency table is found: the user's copy, which an
// update writes under $XDG_DATA_HOME/Velk/KT-M220/ (~/.local/share/... by
// default), else the copy the program ships. A user's copy that cannot be
// read or is not the table gives way to the shipped one.
class CAirportData {
public:
    static constexpr char kFileName[] = "airport-frequencies.csv";

    // The folder and file of the user's copy.
    static std::string UserFolder();
    static std::string UserPath();
    // Where the current table is downloaded from, as its README gives it.
    static constexpr char kDownloadUrl[] =
        "https://davidmegginson.github.io/ourairports-data/airport-frequencies.csv";
    // The shipped table: the installed one, else the one in the source tree
    // (for a program run from its build folder).
    static std::string ShippedPath();
    // The date of the shipped table, from its README ("2026-08-22"); empty
    // when it is not found.
    static std::string ShippedDate();

    // Loads the table; false with a message when neither copy can be read.
    bool Load(std::string& error);

    const CAirportTable& Table() const { return table_; }
    const std::string& Path() const { return path_; }
    // "2026-08-22 (shipped)" or "2026-12-07 (updated)".
    const std::string& Date() const { return date_; }

private:
    CAirportTable table_;
    std::string path_;
    std::string date_;
};

} // namespace kt
