#include "CBandPlan.h"
#include "CCommonSettings.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

namespace kt {

namespace {
class BandPlanTest : public ::testing::Test {
protected:
    void SetUp() override {
        plan.SetSettings(&settings);
        plan.ResetRanges();
    }
    void UseSpacing(const std::string& text) {
        ASSERT_EQ(settings.Handle("COMMON.CH_SPACING=" + text), text);
    }

    CCommonSettings settings;
    CBandPlan plan;
};
} // namespace

TEST_F(BandPlanTest, ContainsTheAirbandEndsIncluded) {
    EXPECT_TRUE(plan.Contains(118000000));
    EXPECT_TRUE(plan.Contains(136980000));
    EXPECT_FALSE(plan.Contains(117999999));
    EXPECT_FALSE(plan.Contains(136980001));
    EXPECT_FALSE(plan.Contains(0));
}

TEST_F(BandPlanTest, SpacingFollowsTheSetting) {
    UseSpacing("25kHz");
    EXPECT_EQ(plan.Spacing(), CBandPlan::kSpacing25k);
    UseSpacing("8.33kHz");
    EXPECT_EQ(plan.Spacing(), CBandPlan::kSpacing833);
    UseSpacing("25k/8.33kHz");
    EXPECT_EQ(plan.Spacing(), CBandPlan::kSpacingMixed);
    CBandPlan alone; // no settings map: the combined raster
    EXPECT_EQ(alone.Spacing(), CBandPlan::kSpacingMixed);
}

TEST_F(BandPlanTest, Legalize) {
    struct Case {
        const char* spacing;
        long in;
        long out;
    };
    const Case cases[] = {
        {"25kHz", 118010000, 118000000},       {"25kHz", 118012500, 118000000}, // tie goes down
        {"25kHz", 118037500, 118025000},                                        // tie goes down
        {"25kHz", 150000000, 136975000},       {"25kHz", 136980000, 136975000},
        {"25kHz", 100000000, 118000000},       {"25kHz", -5, 118000000},
        {"25kHz", 2000000000, 136975000},      {"8.33kHz", 118000000, 118005000},
        {"8.33kHz", 118022500, 118015000}, // tie goes down
        {"8.33kHz", 118099000, 118090000},     {"8.33kHz", 136975000, 136980000},
        {"8.33kHz", 136980000, 136980000},     {"8.33kHz", 150000000, 136980000},
        {"25k/8.33kHz", 118025000, 118020000}, {"25k/8.33kHz", 118075000, 118070000},
        {"25k/8.33kHz", 118100000, 118100000}, {"25k/8.33kHz", 136980000, 136980000},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.spacing) + " " + std::to_string(c.in));
        UseSpacing(c.spacing);
        EXPECT_EQ(plan.Legalize(c.in), c.out);
    }
    for (const char* spacing : {"25kHz", "8.33kHz", "25k/8.33kHz"}) {
        UseSpacing(spacing);
        EXPECT_EQ(plan.Legalize(0), 0) << spacing;
    }
}

// Across the whole band, every result is legal and is the raster point of the
// frequency's own 100 kHz block that lies nearest to it (a tie going down).
TEST_F(BandPlanTest, LegalizeSnapsToTheNearestPointOfTheBlock) {
    const std::vector<std::pair<std::string, std::vector<long>>> rasters = {
        {"25kHz", {0, 25000, 50000, 75000, 100000}},
        {"8.33kHz",
         {5000, 10000, 15000, 30000, 35000, 40000, 55000, 60000, 65000, 80000, 85000, 90000}},
        {"25k/8.33kHz",
         {0, 5000, 10000, 15000, 20000, 30000, 35000, 40000, 50000, 55000, 60000, 65000, 70000,
          80000, 85000, 90000, 100000}},
    };
    for (const auto& [spacing, offsets] : rasters) {
        UseSpacing(spacing);
        for (long hz = 118000000; hz <= 136980000; hz += 500) {
            const long block = hz - hz % 100000;
            long best = block + offsets.front();
            for (long offset : offsets)
                if (std::labs(block + offset - hz) < std::labs(best - hz))
                    best = block + offset;
            const long out = plan.Legalize(hz);
            ASSERT_EQ(out, best) << spacing << " " << hz;
            ASSERT_TRUE(plan.Contains(out)) << spacing << " " << hz;
        }
    }
}

} // namespace kt
