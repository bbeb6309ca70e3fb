#include "CBandPlan.h"

#include "CCommonSettings.h"

#include <algorithm>
#include <array>
#include <span>

namespace kt {

namespace {
// Raster points as offsets in Hz within a 100 kHz block; 100000 is the first
// point of the next block.
constexpr long kBlockHz = 100000;
constexpr std::array<long, 5> kRaster25k = {0, 25000, 50000, 75000, 100000};
constexpr std::array<long, 12> kRaster833 = {5000,  10000, 15000, 30000, 35000, 40000,
                                             55000, 60000, 65000, 80000, 85000, 90000};
constexpr std::array<long, 17> kRasterMixed = {0,     5000,  10000, 15000, 20000, 30000,
                                               35000, 40000, 50000, 55000, 60000, 65000,
                                               70000, 80000, 85000, 90000, 100000};

std::span<const long> RasterOf(int spacing) {
    switch (spacing) {
    case CBandPlan::kSpacing25k:
        return kRaster25k;
    case CBandPlan::kSpacing833:
        return kRaster833;
    default:
        return kRasterMixed;
    }
}
} // namespace

void CBandPlan::ResetRanges() {
    ranges_.Clear();
    ranges_.Add(kLowestHz, kHighestHz);
}

bool CBandPlan::Contains(long hz) const {
    return ranges_.Contains(hz);
}

int CBandPlan::Spacing() {
    const std::string answer = settings_ ? settings_->Handle("COMMON.CH_SPACING") : std::string();
    if (answer == "25kHz")
        return kSpacing25k;
    if (answer == "8.33kHz")
        return kSpacing833;
    return kSpacingMixed;
}

long CBandPlan::Legalize(long hz) {
    if (hz == 0)
        return 0;
    const long f = std::clamp(hz, kLowestHz, kHighestHz);
    const long c = f % kBlockHz;
    const std::span<const long> points = RasterOf(Spacing());

    std::size_t chosen = 0;
    if (c <= points.front()) {
        chosen = 0;
    } else if (c >= points.back()) {
        chosen = points.size() - 1;
    } else {
        std::size_t i = 1;
        while (points[i] < c)
            ++i;
        // A tie goes to the lower point.
        chosen = (c - points[i - 1] <= points[i] - c) ? i - 1 : i;
    }

    long r = f - c + points[chosen];
    // Never step out of the band by snapping; the clamp above keeps these
    // from arising with the present rasters.
    if (points[chosen] > c && r > kHighestHz && chosen > 0)
        r = f - c + points[chosen - 1];
    else if (points[chosen] <= c && r < kLowestHz && chosen + 1 < points.size())
        r = f - c + points[chosen + 1];
    return r;
}

} // namespace kt
