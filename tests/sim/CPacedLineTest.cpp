#include "CPacedLine.h"

#include <gtest/gtest.h>

namespace kt {

namespace {
using Nanos = CPacedLine::Nanos;
constexpr Nanos kSecond = CPacedLine::kNanosPerSecond;

std::vector<Nanos> Deadlines(CPacedLine line) {
    std::vector<Nanos> deadlines;
    while (!line.Empty()) {
        deadlines.push_back(*line.NextDeadline());
        line.PopFront();
    }
    return deadlines;
}
} // namespace

TEST(CPacedLineTest, TimesDoNotDriftOverALongSpell) {
    CPacedLine line = CPacedLine::ForBaud(9600);
    for (int i = 0; i <= 9600; ++i)
        line.Push(CLineItem::Of(0), 0);
    // Byte 9600 leaves exactly 10 s after byte 0.
    EXPECT_EQ(Deadlines(line).back(), 10 * kSecond);
}

TEST(CPacedLineTest, ABusyLineQueuesNewBytesAndAnIdleOneSendsAtOnce) {
    CPacedLine line = CPacedLine::ForBaud(9600);
    line.Push(CLineItem::Of(1), 0);
    line.Push(CLineItem::Of(2), 500'000); // before byte 1's slot ends
    EXPECT_EQ(Deadlines(line), (std::vector<Nanos>{0, 1041666}));

    line.PopFront();
    line.PopFront();
    line.Push(CLineItem::Of(3), 3 * kSecond); // long after: a new spell
    EXPECT_EQ(*line.NextDeadline(), 3 * kSecond);
}

TEST(CPacedLineTest, SpeedsAndIntervals) {
    struct Case {
        const char* name;
        CPacedLine line;
        Nanos second; // when the second of two bytes leaves
    };
    // 10 bits a byte: at 9600 baud 1041666.67 ns.
    const Case cases[] = {
        {"no pacing", CPacedLine::ForBaud(0), 0},
        {"9600 baud", CPacedLine::ForBaud(9600), 1041666},
        {"1200 baud", CPacedLine::ForBaud(1200), 8333333},
        {"115200 baud", CPacedLine::ForBaud(115200), 86805},
        {"one byte every 2500 ms", CPacedLine::ForInterval(2500), Nanos{2500} * 1'000'000},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CPacedLine line = c.line;
        const Nanos start = 5 * kSecond;
        line.Push(CLineItem::Of(1), start);
        line.Push(CLineItem::Of(2), start);
        EXPECT_EQ(Deadlines(line), (std::vector<Nanos>{start, start + c.second}));
    }
}

TEST(CPacedLineTest, MarksTakeNoTimeAndStopARunOfDueBytes) {
    CPacedLine line = CPacedLine::ForBaud(9600);
    line.Push(CLineItem::Of(1), 0);
    line.Push(CLineItem::Mark(CLineItem::Kind::ExchangeDone), 0);
    line.Push(CLineItem::Of(2), 0);
    EXPECT_EQ(Deadlines(line), (std::vector<Nanos>{0, 0, 1041666}));

    EXPECT_EQ(line.DueBytes(kSecond, 100), (std::vector<std::uint8_t>{1}));
    line.PopFront(1);
    EXPECT_TRUE(line.DueBytes(kSecond, 100).empty()) << "a mark first";
    line.PopFront();
    EXPECT_TRUE(line.DueBytes(1'000'000, 100).empty()) << "not due yet";
    EXPECT_EQ(line.DueBytes(1041666, 100), (std::vector<std::uint8_t>{2}));
}

} // namespace kt
