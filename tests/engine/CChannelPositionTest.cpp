#include "CChannelPosition.h"
#include "ValueSelector.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kt {

TEST(CChannelPosition, WalkVisitsVfoThenTwentyMemoryChannels) {
    CChannelPosition position;
    std::vector<std::string> visited;
    int linear = 0;
    for (position.Next(); position.Kind() != CChannelPosition::kKindNone; position.Next()) {
        EXPECT_EQ(position.LinearIndex(), linear++);
        visited.push_back(position.ToText());
        ASSERT_LE(visited.size(), 21u);
    }
    ASSERT_EQ(visited.size(), 21u);
    EXPECT_EQ(visited.front(), "CH.VFO.1");
    EXPECT_EQ(visited[1], "CH.MCH.1");
    EXPECT_EQ(visited.back(), "CH.MCH.20");
    EXPECT_EQ(position.Index(), 0);
    EXPECT_EQ(position.ToText(), "CH.NONE");
}

TEST(CChannelPosition, SetNormalisesTheKindOnly) {
    CChannelPosition position;
    position.Set(7, 3);
    EXPECT_EQ(position.Kind(), CChannelPosition::kKindVfo);
    EXPECT_EQ(position.Index(), 3);
    position.Set(-1, 0);
    EXPECT_EQ(position.Kind(), CChannelPosition::kKindVfo);

    position.Set(CChannelPosition::kKindMemory, 19);
    position.Next();
    EXPECT_EQ(position.Kind(), CChannelPosition::kKindNone);
    EXPECT_EQ(position.Index(), 0);

    position.Set(CChannelPosition::kKindVfo, 3); // beyond its kind: a walk still moves on
    position.Next();
    EXPECT_EQ(position.ToText(), "CH.MCH.1");
}

TEST(CChannelPosition, ParsePrefix) {
    struct Case {
        const char* text;
        const char* textAfter;
        const char* result; // the position starts as memory channel 3
    };
    const Case cases[] = {
        {"ch.mch.1.APPEAR", "APPEAR", "CH.MCH.1"},
        {"CH.MCH.5.NAME=ABC", "NAME=ABC", "CH.MCH.5"},
        {"CH.MCH.5.NAME=A.B", "NAME=A.B", "CH.MCH.5"},
        {"Ch.Vfo.1.FREQUENCY.ByNumber=1", "FREQUENCY.ByNumber=1", "CH.VFO.1"},
        {"CH.MCH.20.HEAL", "HEAL", "CH.MCH.20"},
        {"CH.MCH.5", "", "CH.MCH.5"},
        {"CH.MCH.21.NAME", "NAME", "CH.MCH.3"},
        {"CH.MCH.0.NAME", "NAME", "CH.MCH.3"},
        {"CH.MCH.-1.NAME", "NAME", "CH.MCH.3"},
        {"CH.MCH.x.NAME", "NAME", "CH.MCH.3"},
        {"CH.MCH.99999999999999999999999.NAME", "NAME", "CH.MCH.3"},
        {"CH.VFO.2.NAME", "NAME", "CH.MCH.3"},
        {"CH.NONE.1.NAME", "CH.NONE.1.NAME", "CH.MCH.3"},
        {"CH.XYZ.1.NAME", "CH.XYZ.1.NAME", "CH.MCH.3"},
        {"COMMON.BEEP", "COMMON.BEEP", "CH.MCH.3"},
        {"", "", "CH.MCH.3"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        CChannelPosition position(CChannelPosition::kKindMemory, 2);
        std::string text = c.text;
        EXPECT_EQ(position.ParsePrefix(text), c.result);
        EXPECT_EQ(text, c.textAfter);
        EXPECT_EQ(position.ToText(), c.result);
    }
}

TEST(ValueSelector, ParsesTheSelectorWord) {
    struct Case {
        const char* text;
        int selector;
        const char* textAfter;
    };
    const Case cases[] = {
        {"ByNumber=3", kSelectorByNumber, "=3"},
        {"bynumber", kSelectorByNumber, "="},
        {"bystring", kSelectorByString, "="},
        {"BYMENUITEMNAME=a=b", kSelectorByMenuItemName, "=a=b"},
        {"=3", kSelectorByString, "=3"},
        {"ON", kSelectorByString, "ON"},
        {"ByNumbers=3", kSelectorByString, "ByNumbers=3"},
        {"", kSelectorByString, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        std::string text = c.text;
        EXPECT_EQ(ParseValueSelector(text), c.selector);
        EXPECT_EQ(text, c.textAfter);
    }
}

} // namespace kt
