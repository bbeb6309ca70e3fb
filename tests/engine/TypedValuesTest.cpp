#include "CChoiceList.h"
#include "CFrequencyValue.h"
#include "CNumberList.h"
#include "CNumberSelect.h"
#include "CSelectValue.h"
#include "CTextValue.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

namespace kt {

namespace {
// The channel appear list: its image values are reversed.
CChoiceList AppearList() {
    CChoiceList list;
    list.SetCount(2);
    list.SetEntry(0, "OFF", 1);
    list.SetEntry(1, "ON", 0);
    return list;
}

CNumberList PriorityList() {
    CNumberList list;
    list.SetRange(19, 0);
    for (int n = 0; n <= 19; ++n)
        list.SetText(n, std::to_string(n + 1));
    list.SetDefault(1);
    return list;
}
} // namespace

TEST(CChoiceList, ClampIndexFallsBackToTheDefaultThenZero) {
    CChoiceList list;
    list.SetCount(3);
    list.SetDefaultIndex(2);
    EXPECT_EQ(list.ClampIndex(1), 1);
    EXPECT_EQ(list.ClampIndex(3), 2);
    EXPECT_EQ(list.ClampIndex(-1), 2);
    list.SetDefaultIndex(9);
    EXPECT_EQ(list.ClampIndex(5), 0);
    EXPECT_EQ(list.Text(5), "xxxx");
    EXPECT_EQ(list.Value(2), 2);
    list.SetCount(0); // a list always keeps one entry to fall back on
    EXPECT_EQ(list.Text(0), "xxxx");
}

TEST(CSelectValue, SelectValueMatchesTheLowSixteenBits) {
    const CChoiceList list = AppearList();
    CSelectValue value(list);
    EXPECT_EQ(value.SelectValue(0), 1);
    EXPECT_EQ(value.Text(), "ON");
    EXPECT_EQ(value.SelectValue(5), 0); // no entry: the default
    EXPECT_EQ(value.Text(), "OFF");
    value.SelectValue(0x10000); // low 16 bits: 0
    EXPECT_EQ(value.Text(), "ON");
}

TEST(CSelectValue, Command) {
    const CChoiceList list = AppearList();
    struct Case {
        const char* part;
        int startIndex;
        const char* answer;
        int index;
    };
    const Case cases[] = {
        {"=on", 0, "ON", 1},
        {"=maybe", 1, "ON", 1},
        {"=", 1, "ON", 1},
        {"", 0, "OFF", 0},
        {"ByNumber", 1, "1", 1},
        {"ByNumber=", 1, "1", 1},
        {"ByNumber=1", 0, "1", 1},
        {"bynumber=7", 1, "0", 0},
        {"ByNumber=-1", 1, "0", 0},
        {"ByNumber=abc", 1, "0", 0},
        {"ByNumber=99999999999999999999999", 1, "0", 0},
        {"ByMenuItemName=ON", 0, "ON", 1},
        {"Unknown=ON", 0, "ON", 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.part);
        CSelectValue value(list);
        value.SelectIndex(c.startIndex);
        EXPECT_EQ(value.Command(c.part), c.answer);
        EXPECT_EQ(value.Index(), c.index);
    }
}

TEST(CNumberSelect, Command) {
    const CNumberList list = PriorityList();
    struct Case {
        const char* part;
        const char* answer;
        int number; // starts at 6
    };
    const Case cases[] = {
        {"=", "7", 6},
        {"=5", "5", 4},
        {"=20", "20", 19},
        {"=21", "7", 6},
        {"=OFF", "7", 6},
        {"ByNumber", "6", 6},
        {"ByNumber=4", "4", 4},
        {"ByNumber=25", "1", 1},
        {"ByNumber=-3", "1", 1},
        {"ByNumber=x", "1", 1},
        {"ByNumber=-99999999999999999999999", "1", 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.part);
        CNumberSelect value(list);
        value.SetValue(6);
        EXPECT_EQ(value.Command(c.part), c.answer);
        EXPECT_EQ(value.Value(), c.number);
    }
}

TEST(CNumberList, ValidateFallsBackToTheDefaultThenTheMinimum) {
    CNumberList list;
    list.SetRange(10, 5);
    EXPECT_EQ(list.Minimum(), 5);
    EXPECT_EQ(list.Default(), 5);
    list.SetDefault(7);
    EXPECT_EQ(list.Validate(11), 7);
    list.SetDefault(70);
    EXPECT_EQ(list.Validate(11), 5);
    EXPECT_EQ(list.Text(6), ""); // no text set
    int found = 0;
    EXPECT_TRUE(list.FindText("", found));
    EXPECT_EQ(found, 5);
    EXPECT_FALSE(list.FindText("6", found));
}

TEST(CNumberList, HugeRangeCostsNothing) {
    CNumberList list;
    list.SetRange(-2147483647 - 1, 2147483647);
    list.SetText(12, "twelve");
    CNumberSelect value(list);
    EXPECT_EQ(value.Command("=TWELVE"), "twelve");
    EXPECT_EQ(value.Value(), 12);
}

TEST(CFrequencyValue, Command) {
    struct Case {
        const char* part;
        long hz; // starts at 120000000
        const char* answer;
    };
    const Case cases[] = {
        {"=118.0125", 118012500, "118.012"},
        {"=  136.975", 136975000, "136.975"},
        {"=\t 136.975", 136975000, "136.975"},
        {"=121.5", 121500000, "121.500"},
        {"=+121.5", 121500000, "121.500"},
        {"=118.0125junk", 118012500, "118.012"},
        {"=3000", 2000000000, "2000.000"},
        {"=1e300", 2000000000, "2000.000"},
        {"=1e400", 2000000000, "2000.000"},
        {"=inf", 2000000000, "2000.000"},
        {"=-1e300", 0, "0.000"},
        {"=-inf", 0, "0.000"},
        {"=-5", 0, "0.000"},
        {"=1e-400", 0, "0.000"},
        {"=0", 0, "0.000"},
        {"=118.0999994", 118099999, "118.099"}, // the kHz are cut, not rounded
        {"=118.0999999", 118100000, "118.100"}, // but half a hertz is added first
        {"=nan", 120000000, "120.000"},
        {"=-nan", 120000000, "120.000"},
        {"=abc", 120000000, "120.000"},
        {"= ", 120000000, "120.000"},
        {"=", 120000000, "120.000"},
        // Only 15 characters are read: the digits after them are never seen.
        {"=000000000000000118", 0, "0.000"},
        {"=118,0125", 118000000, "118.000"},
        {"ByNumber", 120000000, "120000000"},
        {"ByNumber=118012500", 118012500, "118012500"},
        {"ByNumber=-5", 0, "0"},
        {"ByNumber=99999999999999999999", 2000000000, "2000000000"},
        {"ByNumber=x", 120000000, "120000000"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.part);
        CFrequencyValue value;
        value.SetHz(120000000);
        EXPECT_EQ(value.Command(c.part), c.answer);
        EXPECT_EQ(value.Hz(), c.hz);
    }
}

TEST(CFrequencyValue, ParseIsExactOnTheRasters) {
    // Every 8.33 kHz and 25 kHz channel typed with four decimals must come out
    // to the hertz, not one below.
    for (long khz = 118000; khz <= 136990; khz += 5) {
        for (long extra : {0L, 500L}) {
            const long hz = khz * 1000 + extra;
            char text[32];
            std::snprintf(text, sizeof text, "%ld.%04ld", hz / 1000000, (hz % 1000000) / 100);
            CFrequencyValue value;
            ASSERT_TRUE(value.Parse(text));
            ASSERT_EQ(value.Hz(), hz) << text;
        }
    }
}

TEST(CTextValue, ChannelNameMode) {
    struct Case {
        std::string part;
        std::string answer;
    };
    const Case cases[] = {
        {"=abc.d", "ABC D  "},
        {"=ABCDEFGHIJ", "ABCDEFG"},
        {"= ", "       "},
        {"=", "OLD    "},
        {"=a=b", "A=B    "},
        {"=!\"#&.:;", "       "},
        {"={|}~\x7f\t\n", "       "},
        {"=\x80\xff\xc3\xa9z", "    Z  "},
        {"=$%'()*+", "$%'()*+"},
        {"=,-/09<>", ",-/09<>"},
        {"=?@Z[\\]^", "?@Z[\\]^"},
        {"=_`", "_`     "},
        {"ByNumber=x", "X      "},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.part);
        CTextValue value;
        value.SetLimits(7, 7);
        value.Set("old");
        EXPECT_EQ(value.Command(c.part), c.answer);
    }
}

TEST(CTextValue, AnyCharacterMode) {
    CTextValue value;
    value.SetLimits(16, 16);
    value.SetMode(CTextValue::kModeAny);
    EXPECT_EQ(value.Command("=hello.world!"), "hello.world!    ");
    value.Set(std::string(7, '\xff'));
    EXPECT_EQ(value.Get(), std::string(7, '\xff') + std::string(9, ' '));
    value.Set(std::string("A\0B", 3)); // a zero byte ends the text
    EXPECT_EQ(value.Get(), "A" + std::string(15, ' '));
}

TEST(CTextValue, LimitsAreBounded) {
    CTextValue value;
    value.SetLimits(0, 300);
    EXPECT_EQ(value.MinLength(), 1);
    EXPECT_EQ(value.MaxLength(), 256);
    EXPECT_EQ(value.Get(), std::string(256, ' '));
    value.Set(std::string(100000, 'q'));
    EXPECT_EQ(value.Get(), std::string(256, 'Q'));
    value.SetLimits(-5, -9);
    EXPECT_EQ(value.MaxLength(), 1);
}

} // namespace kt
