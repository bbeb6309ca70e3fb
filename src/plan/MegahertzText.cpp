#include "MegahertzText.h"

#include <cstdio>

namespace kt {

namespace {
constexpr long kHzPerMHz = 1000000;
}

std::string FormatMegahertz(long hz, int decimals) {
    long divisor = 1;
    for (int i = decimals; i < 6; ++i)
        divisor *= 10;
    char text[32];
    std::snprintf(text, sizeof text, "%ld.%0*ld", hz / kHzPerMHz, decimals,
                  (hz % kHzPerMHz) / divisor);
    return text;
}

std::optional<long> ParseMegahertz(std::string_view text) {
    const std::size_t point = text.find('.');
    const std::string_view whole = text.substr(0, point);
    const std::string_view fraction =
        point == std::string_view::npos ? std::string_view() : text.substr(point + 1);
    const auto allDigits = [](std::string_view s) {
        return s.find_first_not_of("0123456789") == std::string_view::npos;
    };
    if ((whole.empty() && fraction.empty()) || !allDigits(whole) || !allDigits(fraction))
        return std::nullopt;
    long mhz = 0;
    for (const char c : whole) {
        mhz = mhz * 10 + (c - '0');
        if (mhz > 100000)
            return std::nullopt; // far beyond any band; stops overflow
    }
    long hz = 0;
    for (std::size_t i = 0; i < 6; ++i)
        hz = hz * 10 + (i < fraction.size() ? fraction[i] - '0' : 0);
    if (fraction.size() > 6 && fraction[6] >= '5')
        ++hz;
    return mhz * kHzPerMHz + hz;
}

} // namespace kt
