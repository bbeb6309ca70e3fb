#include "AirportUpdateReport.h"

#include <gtest/gtest.h>

namespace kt {

namespace {
using AirportUpdateReport::Kind;
} // namespace

TEST(AirportUpdateReport, EveryLineWrittenIsReadBack) {
    const auto progress = AirportUpdateReport::Read(AirportUpdateReport::Progress(42) + "\n");
    EXPECT_EQ(progress.kind, Kind::kProgress);
    EXPECT_EQ(progress.percent, 42);

    // A reason that spans lines (a server's text, a path with a line break)
    // still makes one report line, and arrives whole.
    const std::string failed = AirportUpdateReport::Failed("offline:\nno route\r\x1b[2J");
    EXPECT_EQ(failed.find_first_of("\r\n\x1b"), std::string::npos) << failed;
    const auto read = AirportUpdateReport::Read(failed + "\r\n");
    EXPECT_EQ(read.kind, Kind::kFailed);
    EXPECT_EQ(read.text, "offline: no route  [2J");

    const auto updated = AirportUpdateReport::Read(AirportUpdateReport::Updated(""));
    EXPECT_EQ(updated.kind, Kind::kUpdated);
    EXPECT_EQ(updated.text, "");
}

TEST(AirportUpdateReport, OtherLinesAreNoReport) {
    for (const char* line : {"", "42 %", "progress", "progress 101", "progress -1", "progress 4x",
                             "progress 99999999999999999999", "Updated /x: 3 rows",
                             "kt-m220-cli: offline", " failed with a blank before"})
        EXPECT_EQ(AirportUpdateReport::Read(line).kind, Kind::kOther) << line;
}

} // namespace kt
