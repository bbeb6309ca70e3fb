#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace kt {

// One published frequency of an airport, as the airport frequency table
// lists it.
struct CAirportFrequency {
    std::string ident;       // "EDDF", "DE-0006"
    std::string type;        // "TWR", "ATIS", ...
    std::string description; // "FRANKFURT TOWER / TURM (SOUTH)"
    std::string frequency;   // as published: "119.905", "136.5"
    long hz = 0;             // 0 when the text is no frequency
};

// The airport frequency table (columns id, airport_ref, airport_ident, type,
// description, frequency_mhz) held in memory, and the search over it: an
// airport ident, or words of the descriptions.
class CAirportTable {
public:
    // The header line the table must begin with.
    static constexpr char kHeader[] = "id,airport_ref,airport_ident,type,description,frequency_mhz";

    // Takes the table's text; false, with what is wrong, when its header is
    // not the table's (nothing is kept then).
    bool Parse(std::string_view text, std::string& error);

    std::size_t Size() const { return rows_.size(); }
    // The rows whose frequency lies in the airband.
    std::size_t InBandCount() const;
    const CAirportFrequency& Row(std::size_t i) const { return rows_[i]; }

    // The rows of the airports a query names, each airport's rows together
    // in the table's order: the airport whose ident the query is (any case);
    // otherwise every airport with a row whose ident, type and description
    // hold every word of the query.
    std::vector<std::size_t> Search(std::string_view query) const;

private:
    std::vector<CAirportFrequency> rows_;
    std::vector<std::string> haystacks_; // "IDENT TYPE DESCRIPTION" in upper case
    std::unordered_map<std::string, std::vector<std::size_t>> byIdent_;
    std::vector<std::string> identOrder_; // idents in the order they first appear
};

} // namespace kt
