#pragma once

#include "CRangeList.h"

namespace kt {

class CCommonSettings;

// The legal frequency range of the airband and the channel raster of the
// current channel spacing. Channel entries ask it to clamp and snap their
// frequency when they heal, and whether their frequency is legal.
class CBandPlan {
public:
    static constexpr long kLowestHz = 118000000;
    static constexpr long kHighestHz = 136980000;

    static constexpr int kSpacing25k = 0;
    static constexpr int kSpacing833 = 1;
    static constexpr int kSpacingMixed = 2;

    // The settings map is asked for the channel spacing; without one the
    // combined raster applies.
    void SetSettings(CCommonSettings* settings) { settings_ = settings; }

    // Back to the one legal range 118.000 .. 136.980 MHz.
    void ResetRanges();
    bool Contains(long hz) const;
    // 0 for "25kHz", 1 for "8.33kHz", 2 for anything else (the combined raster).
    int Spacing();
    // Clamps hz into the legal range and snaps it to the nearest raster point
    // of the current spacing (a tie goes to the lower point). 0 stays 0.
    long Legalize(long hz);

private:
    CRangeList ranges_;
    CCommonSettings* settings_ = nullptr;
};

} // namespace kt
