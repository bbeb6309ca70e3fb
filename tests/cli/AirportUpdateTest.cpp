#include "AirportTableSample.h"
#include "CAirportData.h"
#include "CAirportUpdate.h"
#include "LocalHttpServer.h"
#include "ScopedEnv.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace kt {

namespace {
const std::string& kTable = AirportTableSample();
} // namespace

TEST(CAirportUpdate, DownloadsChecksAndReplacesTheUsersCopy) {
    TempDir home;
    const ScopedEnv data("XDG_DATA_HOME", home.Path().c_str());
    const std::string user = CAirportData::UserPath();

    // Too few frequencies: refused, nothing written.
    {
        LocalHttpServer server(200, kTable);
        const auto result = CAirportUpdate::Run(server.Url());
        EXPECT_FALSE(result.ok);
        EXPECT_NE(result.message.find("only 11 frequencies"), std::string::npos) << result.message;
        EXPECT_FALSE(std::filesystem::exists(user));
    }
    // Not the table, and a server error.
    {
        LocalHttpServer server(200, "<html>moved</html>\n");
        EXPECT_NE(CAirportUpdate::Run(server.Url()).message.find("not the airport table"),
                  std::string::npos);
    }
    {
        LocalHttpServer server(404, "gone");
        const auto result = CAirportUpdate::Run(server.Url());
        EXPECT_FALSE(result.ok);
        EXPECT_NE(result.message.find("404"), std::string::npos) << result.message;
    }

    std::string big = kTable;
    for (int i = 0; i < 10000; ++i)
        big += std::to_string(10 + i) + ",7,\"ZZ" + std::to_string(i) + "\",\"TWR\",,122.8\n";
    long long lastTotal = 0;
    {
        LocalHttpServer server(200, big);
        const auto result = CAirportUpdate::Run(server.Url(), [&](long long, long long total) {
            lastTotal = total;
            return true;
        });
        ASSERT_TRUE(result.ok) << result.message;
        EXPECT_EQ(result.inBand, 10011u);
    }
    EXPECT_EQ(lastTotal, static_cast<long long>(big.size()));
    EXPECT_EQ(ReadFileBytes(user), big);
    CAirportData loaded;
    std::string error;
    ASSERT_TRUE(loaded.Load(error)) << error;
    EXPECT_EQ(loaded.Path(), user);
    EXPECT_EQ(loaded.Table().Size(), 10012u);

    // Cancelled, and offline (a port nobody listens on): the copy stays.
    {
        LocalHttpServer server(200, kTable + "x");
        EXPECT_TRUE(CAirportUpdate::Run(server.Url(), [](long long, long long) {
                        return false;
                    }).cancelled);
    }
    std::string url;
    {
        LocalHttpServer gone(200, "");
        url = gone.Url();
    }
    const auto offline = CAirportUpdate::Run(url);
    EXPECT_FALSE(offline.ok);
    EXPECT_NE(offline.message.find("offline"), std::string::npos) << offline.message;
    EXPECT_EQ(ReadFileBytes(user), big);

    // A user's copy that is no table gives way to the shipped one.
    WriteFileBytes(user, "garbage\n");
    ASSERT_TRUE(loaded.Load(error)) << error;
    EXPECT_NE(loaded.Path(), user);
    EXPECT_GT(loaded.Table().InBandCount(), 27000u);
    EXPECT_EQ(loaded.Date(), "2026-08-22 (shipped)");
}

} // namespace kt
