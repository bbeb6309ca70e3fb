#include "CFrequencyValue.h"

#include "TextFields.h"
#include "ValueSelector.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <string_view>
#include <system_error>

namespace kt {

namespace {
// Only this many characters of a frequency text are looked at.
constexpr std::size_t kParseLength = 15;
constexpr double kMaxMegahertz = 2000.0;
// Added before truncating to whole hertz, so that 118.0125 does not become
// 118012499 Hz through the binary representation.
constexpr double kRounding = 0.0000005;

// Reads a floating-point number the way a "%lf" scan does (leading white
// space, optional sign, digits, fraction, exponent, "inf", "nan"), but always
// with "." as the decimal point whatever the process locale. A number too large
// for a double reads as infinity, one too small as 0. False when there is none.
bool ScanDouble(std::string_view text, double& value) {
    bool negative = false;
    std::size_t pos = SkipBlanksAndSign(text, negative);
    const char* first = text.data() + pos;
    const char* last = text.data() + text.size();
    double magnitude = 0.0;
    const auto [end, error] = std::from_chars(first, last, magnitude);
    if (error == std::errc::invalid_argument || end == first)
        return false;
    if (error == std::errc::result_out_of_range) {
        // Tell an exponent far below zero (underflow) from one far above it.
        const std::string_view digits(first, static_cast<std::size_t>(end - first));
        const std::size_t e = digits.find_first_of("eE");
        const bool underflow =
            e != std::string_view::npos && e + 1 < digits.size() && digits[e + 1] == '-';
        magnitude = underflow ? 0.0 : HUGE_VAL;
    }
    value = negative ? -magnitude : magnitude;
    return true;
}
} // namespace

void CFrequencyValue::SetHz(long long hz) {
    if (hz < 0)
        hz = 0;
    if (hz > kMaxHz)
        hz = kMaxHz;
    hz_ = static_cast<long>(hz);
}

std::string CFrequencyValue::Text() const {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%ld.%03ld", hz_ / 1000000, (hz_ % 1000000) / 1000);
    return buffer;
}

bool CFrequencyValue::Parse(const std::string& text) {
    std::size_t begin = 0;
    while (begin < text.size() && (text[begin] == ' ' || text[begin] == '\t'))
        ++begin;
    const std::string_view head = std::string_view(text).substr(begin, kParseLength);
    double megahertz = 0.0;
    if (!ScanDouble(head, megahertz) || std::isnan(megahertz))
        return false;
    megahertz += kRounding;
    if (megahertz > kMaxMegahertz)
        megahertz = kMaxMegahertz;
    if (megahertz < 0.0) {
        // Every negative frequency comes out as no frequency; stop here before
        // a huge negative value reaches an integer conversion.
        SetHz(0);
        return true;
    }
    const auto wholeHz = static_cast<long long>(megahertz * 1000000.0);
    const auto wholeMegahertz = static_cast<long long>(megahertz);
    SetHz(wholeHz % 1000000 + wholeMegahertz * 1000000);
    return true;
}

std::string CFrequencyValue::Command(const std::string& valuePart) {
    // By number the value is in hertz; a word that is no number changes nothing.
    const ValueRequest request = ReadValueRequest(valuePart);
    if (request.byNumber) {
        if (request.number)
            SetHz(*request.number);
        return std::to_string(hz_);
    }
    if (!request.value.empty())
        Parse(request.value);
    return Text();
}

} // namespace kt
