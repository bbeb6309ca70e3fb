#include "FrequencyEntry.h"

#include "TextFields.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace kt {

namespace {
// Frequencies at and above this many MHz are out of range.
constexpr double kUpperLimitMegahertz = 2000.0;

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

std::size_t SkipDigits(std::string_view text, std::size_t pos) {
    while (pos < text.size() && IsDigit(text[pos]))
        ++pos;
    return pos;
}
} // namespace

double LeadingDecimalNumber(std::string_view text) {
    bool negative = false;
    std::size_t pos = SkipBlanksAndSign(text, negative);
    const std::size_t begin = pos;
    pos = SkipDigits(text, pos);
    bool anyDigit = pos > begin;
    if (pos < text.size() && text[pos] == '.') {
        const std::size_t fraction = pos + 1;
        pos = SkipDigits(text, fraction);
        anyDigit = anyDigit || pos > fraction;
    }
    if (!anyDigit)
        return 0.0;
    // An exponent counts only when at least one digit follows its sign.
    if (pos < text.size() && (text[pos] == 'e' || text[pos] == 'E')) {
        std::size_t exponent = pos + 1;
        if (exponent < text.size() && (text[exponent] == '+' || text[exponent] == '-'))
            ++exponent;
        const std::size_t end = SkipDigits(text, exponent);
        if (end > exponent)
            pos = end;
    }
    double magnitude = 0.0;
    const auto [end, error] = std::from_chars(text.data() + begin, text.data() + pos, magnitude);
    if (error == std::errc::result_out_of_range) {
        // Too large reads as infinity, too small as 0.
        const std::string_view digits = text.substr(begin, pos - begin);
        const std::size_t e = digits.find_first_of("eE");
        const bool tiny =
            e != std::string_view::npos && e + 1 < digits.size() && digits[e + 1] == '-';
        magnitude = tiny ? 0.0 : HUGE_VAL;
    }
    return negative ? -magnitude : magnitude;
}

std::string FrequencyTextToSend(std::string_view typed) {
    std::string text(typed);
    std::replace(text.begin(), text.end(), ',', '.');
    const double megahertz = LeadingDecimalNumber(text);
    if (!(megahertz > 0.0 && megahertz < kUpperLimitMegahertz))
        return {};
    return text;
}

} // namespace kt
