#include "CBackupStore.h"
#include "ScopedEnv.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sys/stat.h>

namespace kt {

namespace {
namespace fs = std::filesystem;

// 2026-12-07 05:49:55 UTC plus the given seconds.
std::time_t At(long seconds = 0) {
    std::tm t{};
    t.tm_year = 2026 - 1900;
    t.tm_mon = 11;
    t.tm_mday = 7;
    t.tm_hour = 5;
    t.tm_min = 49;
    t.tm_sec = 55;
    return timegm(&t) + seconds;
}

std::string StampAt(std::time_t t) {
    std::tm utc{};
    gmtime_r(&t, &utc);
    return CBackupStore::Stamp(utc);
}

std::vector<std::string> Names(const CBackupStore& store) {
    std::vector<std::string> names;
    for (const auto& path : store.List())
        names.push_back(fs::path(path).filename().string());
    return names;
}

constexpr long kDay = 24 * 3600;
} // namespace

TEST(CBackupStore, NamesTellTimeAndKindAndStayUnique) {
    ScopedEnv utc("TZ", "UTC");
    TempDir dir;
    const std::string folder = dir.File("data/Velk/KT-M220/backups");
    std::time_t now = At();
    CBackupStore store(folder, [&] { return std::chrono::system_clock::from_time_t(now); });

    const auto first = store.Store("image one", CBackupStore::Kind::Read);
    ASSERT_TRUE(first.Ok()) << first.error;
    EXPECT_EQ(first.path, folder + "/2026-12-07_05-49-55_read.vkf");
    EXPECT_EQ(ReadFileBytes(first.path), "image one");
    EXPECT_EQ(store.Store("image two", CBackupStore::Kind::Write).path,
              folder + "/2026-12-07_05-49-55-2_write.vkf");
    EXPECT_EQ(store.Store("image three", CBackupStore::Kind::Read).path,
              folder + "/2026-12-07_05-49-55-3_read.vkf");
    now = At(1);
    EXPECT_EQ(store.Store("image four", CBackupStore::Kind::Write).path,
              folder + "/2026-12-07_05-49-56_write.vkf");
    EXPECT_EQ(Names(store), (std::vector<std::string>{"2026-12-07_05-49-55_read.vkf",
                                                      "2026-12-07_05-49-55-2_write.vkf",
                                                      "2026-12-07_05-49-55-3_read.vkf",
                                                      "2026-12-07_05-49-56_write.vkf"}));
    // The newest of each kind, by time and then by sequence, and its date.
    EXPECT_EQ(store.Newest(CBackupStore::Kind::Read), folder + "/2026-12-07_05-49-55-3_read.vkf");
    EXPECT_EQ(store.Newest(CBackupStore::Kind::Write), folder + "/2026-12-07_05-49-56_write.vkf");
    EXPECT_EQ(CBackupStore::DateOf(store.Newest(CBackupStore::Kind::Read)), "2026-12-07 05:49:55");
    EXPECT_EQ(CBackupStore::DateOf("/tmp/plan.vkf"), "");
    EXPECT_EQ(CBackupStore(dir.File("none")).Newest(CBackupStore::Kind::Read), "");

    struct stat st {};
    ASSERT_EQ(stat(folder.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0700u);
    ASSERT_EQ(stat(first.path.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600u);
}

TEST(CBackupStore, KeepsAYearAndTwoHundredAtMost) {
    ScopedEnv utc("TZ", "UTC");
    TempDir dir;
    const std::string folder = dir.Path().string();
    const std::string tooOld = StampAt(At(-365 * kDay - 1)) + "_read.vkf";
    const std::string aYearOld = StampAt(At(-365 * kDay)) + "_write.vkf";
    WriteFileBytes(dir.File(tooOld), "x");
    WriteFileBytes(dir.File(aYearOld), "x");
    std::vector<std::string> recent;
    for (int i = 0; i < 200; ++i) {
        recent.push_back(StampAt(At(-100 * kDay + i * 60)) + "_read.vkf");
        WriteFileBytes(dir.File(recent.back()), "x");
    }
    // Files that are not backups stay whatever their names look like.
    const std::vector<std::string> others = {"notes.txt", "2020-01-01_00-00-00_read.vkf.orig",
                                             "2020-01-01_00-00-00_copy.vkf",
                                             "2020-01-01_00-00-00-_read.vkf"};
    for (const auto& name : others)
        WriteFileBytes(dir.File(name), "mine");

    CBackupStore store(folder, [] { return std::chrono::system_clock::from_time_t(At()); });
    const auto kept = store.Store("new", CBackupStore::Kind::Read);
    ASSERT_TRUE(kept.Ok()) << kept.error;

    // The year-old one goes by age; it and recent[0] go as the oldest of 202.
    const auto names = Names(store);
    ASSERT_EQ(names.size(), CBackupStore::kMaxBackups);
    EXPECT_EQ(names.front(), recent[1]);
    EXPECT_EQ(names.back(), "2026-12-07_05-49-55_read.vkf");
    EXPECT_FALSE(fs::exists(dir.File(tooOld)));
    EXPECT_FALSE(fs::exists(dir.File(aYearOld)));
    for (const auto& name : others)
        EXPECT_TRUE(fs::exists(dir.File(name))) << name;

    // A clock set far back makes the new backup the oldest; it is still kept,
    // and as the clock stands before the newest backup nothing is removed.
    CBackupStore behind(folder,
                        [] { return std::chrono::system_clock::from_time_t(At(-3000 * kDay)); });
    const auto early = behind.Store("early", CBackupStore::Kind::Write);
    ASSERT_TRUE(early.Ok()) << early.error;
    EXPECT_TRUE(fs::exists(early.path));
    EXPECT_EQ(behind.List().size(), CBackupStore::kMaxBackups + 1);
    EXPECT_TRUE(fs::exists(dir.File(recent[1])));
}

TEST(CBackupStore, AWrongClockNeverTakesTheNewestBackups) {
    ScopedEnv utc("TZ", "UTC");
    struct Case {
        const char* what;
        long clock;          // seconds from At()
        std::size_t backups; // one a day, the newest a day before At()
        long futureStamp;    // seconds from At() of one more backup; 0 for none
        std::size_t left;    // backups left after one Store
    };
    constexpr long kYear = 365 * kDay;
    const std::vector<Case> cases = {
        {"clock five years ahead: the newest 50 stay", 5 * kYear, 202, 0, 50},
        {"clock right: two hundred at most", 0, 202, 0, CBackupStore::kMaxBackups},
        {"clock behind the newest backup: nothing goes", -30 * kDay, 250, 0, 251},
        {"a backup stamped in the future counts as new", 0, 230, 400 * kDay, 232},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TempDir dir;
        std::vector<std::string> names;
        for (std::size_t i = 0; i < c.backups; ++i) {
            names.push_back(StampAt(At(-static_cast<long>(c.backups - i) * kDay)) + "_read.vkf");
            WriteFileBytes(dir.File(names.back()), "x");
        }
        if (c.futureStamp != 0)
            WriteFileBytes(dir.File(StampAt(At(c.futureStamp)) + "_write.vkf"), "x");
        CBackupStore store(dir.Path().string(),
                           [&] { return std::chrono::system_clock::from_time_t(At(c.clock)); });
        const auto kept = store.Store("new", CBackupStore::Kind::Read);
        ASSERT_TRUE(kept.Ok()) << kept.error;
        EXPECT_EQ(store.List().size(), c.left);
        EXPECT_TRUE(fs::exists(kept.path));
        // The newest backups that were there before are never among those removed.
        for (std::size_t i = names.size() - 49; i < names.size(); ++i)
            EXPECT_TRUE(fs::exists(dir.File(names[i]))) << names[i];
    }
}

TEST(CBackupStore, FailuresAreReportedNotThrown) {
    TempDir dir;
    WriteFileBytes(dir.File("plain"), "a file, not a folder");
    struct Case {
        std::string folder;
        std::string source; // empty: store bytes
        std::string error;
    };
    const std::vector<Case> cases = {
        {dir.File("plain/backups"), "", "cannot create the folder " + dir.File("plain")},
        {"", "", "no home folder is known to keep backups in"},
        {dir.File("b"), dir.File("missing.vkf"), "cannot read " + dir.File("missing.vkf")},
        {dir.File("b"), dir.File("plain/x"), "cannot read " + dir.File("plain/x")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.folder + " " + c.source);
        CBackupStore store(c.folder);
        const auto r = c.source.empty() ? store.Store("image", CBackupStore::Kind::Read)
                                        : store.StoreFile(c.source, CBackupStore::Kind::Write);
        EXPECT_FALSE(r.Ok());
        EXPECT_TRUE(r.path.empty());
        EXPECT_EQ(r.error.rfind(c.error, 0), 0u) << r.error;
    }
    EXPECT_FALSE(CBackupStore(dir.File("b")).Store("", CBackupStore::Kind::Read).Ok());
    EXPECT_FALSE(fs::exists(dir.File("b")) && !fs::is_empty(dir.File("b")));
}

TEST(CBackupStore, DefaultFolderFollowsTheDataHome) {
    ScopedEnv home("HOME", "/home/pilot");
    {
        ScopedEnv data("XDG_DATA_HOME", "/data/pilot");
        EXPECT_EQ(CBackupStore::DefaultFolder(), "/data/pilot/Velk/KT-M220/backups");
    }
    for (const char* ignored : {"", "relative/share"}) {
        ScopedEnv data("XDG_DATA_HOME", ignored);
        EXPECT_EQ(CBackupStore::DefaultFolder(), "/home/pilot/.local/share/Velk/KT-M220/backups");
    }
    ScopedEnv data("XDG_DATA_HOME", nullptr);
    EXPECT_EQ(CBackupStore::DefaultFolder(), "/home/pilot/.local/share/Velk/KT-M220/backups");
}

} // namespace kt
