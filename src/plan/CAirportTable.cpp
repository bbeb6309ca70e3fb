#include "CAirportTable.h"

#include "CBandPlan.h"
#include "CCsvReader.h"
#include "MegahertzText.h"
#include "TextFields.h"

#include <algorithm>
#include <unordered_set>

namespace kt {

namespace {
constexpr std::size_t kColumns = 6;
constexpr std::size_t kIdent = 2;
constexpr std::size_t kType = 3;
constexpr std::size_t kDescription = 4;
constexpr std::size_t kFrequency = 5;

std::vector<std::string> Words(std::string_view text) {
    std::vector<std::string> words;
    std::string word;
    for (const char c : text) {
        if (c == ' ' || c == '\t' || c == ',') {
            if (!word.empty())
                words.push_back(ToUpperAscii(word));
            word.clear();
        } else {
            word += c;
        }
    }
    if (!word.empty())
        words.push_back(ToUpperAscii(word));
    return words;
}
} // namespace

bool CAirportTable::Parse(std::string_view text, std::string& error) {
    CCsvReader::Result read = CCsvReader::Read(text);
    if (read.records.empty()) {
        error = "the airport table is empty";
        return false;
    }
    std::string header;
    for (const std::string& field : read.records.front().fields)
        header += (header.empty() ? "" : ",") + field;
    if (header != kHeader) {
        error = "the airport table does not begin with the header " + std::string(kHeader);
        return false;
    }
    rows_.clear();
    haystacks_.clear();
    byIdent_.clear();
    identOrder_.clear();
    rows_.reserve(read.records.size());
    haystacks_.reserve(read.records.size());
    for (std::size_t r = 1; r < read.records.size(); ++r) {
        std::vector<std::string>& f = read.records[r].fields;
        if (f.size() < kColumns)
            continue; // a broken row names no frequency
        CAirportFrequency row;
        row.ident = ToUpperAscii(Trim(f[kIdent]));
        row.type = Trim(f[kType]);
        row.description = std::move(f[kDescription]);
        row.frequency = Trim(f[kFrequency]);
        row.hz = ParseMegahertz(row.frequency).value_or(0);
        if (row.ident.empty())
            continue;
        auto& rows = byIdent_[row.ident];
        if (rows.empty())
            identOrder_.push_back(row.ident);
        rows.push_back(rows_.size());
        haystacks_.push_back(ToUpperAscii(row.ident + ' ' + row.type + ' ' + row.description));
        rows_.push_back(std::move(row));
    }
    return true;
}

std::size_t CAirportTable::InBandCount() const {
    return static_cast<std::size_t>(
        std::count_if(rows_.begin(), rows_.end(), [](const CAirportFrequency& row) {
            return row.hz >= CBandPlan::kLowestHz && row.hz <= CBandPlan::kHighestHz;
        }));
}

std::vector<std::size_t> CAirportTable::Search(std::string_view query) const {
    const std::vector<std::string> words = Words(query);
    if (words.empty())
        return {};
    if (words.size() == 1)
        if (const auto it = byIdent_.find(words.front()); it != byIdent_.end())
            return it->second;
    std::unordered_set<std::string> airports;
    for (std::size_t i = 0; i < haystacks_.size(); ++i) {
        const std::string& hay = haystacks_[i];
        if (std::all_of(words.begin(), words.end(),
                        [&hay](const std::string& w) { return hay.find(w) != std::string::npos; }))
            airports.insert(rows_[i].ident);
    }
    std::vector<std::size_t> found;
    for (const std::string& ident : identOrder_)
        if (airports.count(ident)) {
            const auto& rows = byIdent_.at(ident);
            found.insert(found.end(), rows.begin(), rows.end());
        }
    return found;
}

} // namespace kt
