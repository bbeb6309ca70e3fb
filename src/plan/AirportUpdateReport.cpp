#include "AirportUpdateReport.h"

#include <charconv>

namespace kt {

namespace {
constexpr std::string_view kProgressWord = "progress ";
constexpr std::string_view kUpdatedWord = "updated ";
constexpr std::string_view kFailedWord = "failed ";

std::string OneLine(std::string_view word, std::string_view text) {
    std::string line(word);
    for (const char c : text)
        line += static_cast<unsigned char>(c) < 0x20 || c == 0x7F ? ' ' : c;
    return line;
}

std::string_view WithoutLineEnd(std::string_view text) {
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r'))
        text.remove_suffix(1);
    return text;
}
} // namespace

std::string AirportUpdateReport::Progress(int percent) {
    return std::string(kProgressWord) + std::to_string(percent);
}

std::string AirportUpdateReport::Updated(std::string_view text) {
    return OneLine(kUpdatedWord, text);
}

std::string AirportUpdateReport::Failed(std::string_view reason) {
    return OneLine(kFailedWord, reason);
}

AirportUpdateReport::Line AirportUpdateReport::Read(std::string_view text) {
    const std::string_view line = WithoutLineEnd(text);
    Line read;
    if (line.starts_with(kProgressWord)) {
        const std::string_view digits = line.substr(kProgressWord.size());
        int percent = -1;
        const auto [end, error] =
            std::from_chars(digits.data(), digits.data() + digits.size(), percent);
        if (error == std::errc() && end == digits.data() + digits.size() && percent >= 0 &&
            percent <= 100) {
            read.kind = Kind::kProgress;
            read.percent = percent;
        }
    } else if (line.starts_with(kUpdatedWord)) {
        read.kind = Kind::kUpdated;
        read.text = line.substr(kUpdatedWord.size());
    } else if (line.starts_with(kFailedWord)) {
        read.kind = Kind::kFailed;
        read.text = line.substr(kFailedWord.size());
    }
    return read;
}

} // namespace kt
