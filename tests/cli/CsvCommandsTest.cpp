#include "ProcessRunner.h"
#include "ScopedEnv.h"
#include "SimProcess.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

namespace kt {

namespace {
ProcessResult Cli(const std::vector<std::string>& args) {
    std::vector<std::string> argv{ProgramPath("kt-m220-cli")};
    argv.insert(argv.end(), args.begin(), args.end());
    return RunProcess(argv);
}

// A clone command against a fresh unpaced simulator.
ProcessResult Clone(std::vector<std::string> args,
                    const std::vector<std::string>& simOptions = {}) {
    std::vector<std::string> options{"--baud", "0"};
    options.insert(options.end(), simOptions.begin(), simOptions.end());
    SimProcess sim(options);
    EXPECT_FALSE(sim.Device().empty()) << "the simulator did not start";
    args.insert(args.begin() + 1, {"--port", sim.Device(), "--no-beep"});
    return Cli(args);
}

bool Contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

// The path after "Backup: " in the output; empty when there is none.
std::string BackupPath(const std::string& out) {
    const std::string mark = "Backup: ";
    const std::size_t at = out.find(mark);
    if (at == std::string::npos)
        return {};
    const std::size_t begin = at + mark.size();
    return out.substr(begin, out.find('\n', begin) - begin);
}

// A data file with a small channel plan.
std::string MakePlan(const TempDir& dir, const std::string& name) {
    const std::string file = dir.File(name);
    EXPECT_EQ(Cli({"new", "-o", file}).status, 0);
    EXPECT_EQ(Cli({"set", file, "CH.MCH.3.FREQUENCY=121.5", "CH.MCH.3.APPEAR=ON",
                   "CH.MCH.3.NAME=TWR,1", "CH.MCH.3.TXINHIBIT=ON", "CH.MCH.12.FREQUENCY=118.1",
                   "CH.MCH.12.APPEAR=ON", "CH.MCH.12.CHLOCKOUT=ON"})
                  .status,
              0);
    return file;
}
} // namespace

TEST(CliCsv, ExportedListImportsIntoTheSameImage) {
    TempDir dir;
    const std::string plan = MakePlan(dir, "plan.vkf");
    const auto shown = Cli({"export-csv", plan});
    ASSERT_EQ(shown.status, 0) << shown.err;
    EXPECT_EQ(shown.out.rfind("Location,Name,Frequency,Duplex,", 0), 0u);
    EXPECT_TRUE(Contains(shown.out, "\r\n3,\"TWR,1\",121.500000,"));

    const std::string csv = dir.File("plan.csv");
    ASSERT_EQ(Cli({"export-csv", "-o", csv, plan}).status, 0);
    EXPECT_EQ(ReadFileBytes(csv), shown.out);

    const std::string copy = dir.File("copy.vkf");
    ASSERT_EQ(Cli({"new", "-o", copy}).status, 0);
    ASSERT_EQ(Cli({"set", copy, "CH.MCH.7.FREQUENCY=130.0", "CH.MCH.7.APPEAR=ON"}).status, 0);
    const auto imported = Cli({"import-csv", copy, csv});
    ASSERT_EQ(imported.status, 0) << imported.err;
    EXPECT_EQ(imported.err, "");
    EXPECT_EQ(ReadFileBytes(copy), ReadFileBytes(plan));
}

TEST(CliCsv, AListWithErrorsLeavesTheFileAsItWas) {
    TempDir dir;
    const std::string plan = MakePlan(dir, "plan.vkf");
    const std::string before = ReadFileBytes(plan);
    const std::string csv = dir.File("bad.csv");
    WriteFileBytes(csv, "Location,Frequency\n1,121.5\n1,122.0\n30,118.0\n");
    const auto run = Cli({"import-csv", plan, csv});
    EXPECT_EQ(run.status, 3);
    EXPECT_EQ(run.err, csv + ":3: error: Location 1 is already on line 2\n" + csv +
                           ":4: warning: skipped: Location 30 is not a memory channel (1 to "
                           "20)\n" +
                           "kt-m220-cli: " + plan + " is unchanged\n");
    EXPECT_EQ(ReadFileBytes(plan), before);

    // Warnings do not stop the import.
    WriteFileBytes(csv, "Location,Frequency,Name\n1,121.5,GUARDIAN\n");
    const auto warned = Cli({"import-csv", plan, csv});
    EXPECT_EQ(warned.status, 0);
    EXPECT_EQ(warned.err, csv + ":2: warning: the name \"GUARDIAN\" is stored as \"GUARDIA\" (7 "
                                "characters at most)\n");
    EXPECT_TRUE(Contains(Cli({"show", plan}).out, "\n01        121.500     GUARDIA\n"));
}

TEST(CliCsv, WrongUseAndMissingFiles) {
    TempDir dir;
    const std::string plan = MakePlan(dir, "plan.vkf");
    const std::string before = ReadFileBytes(plan);
    const std::vector<std::pair<std::vector<std::string>, int>> cases = {
        {{"export-csv"}, 2},
        {{"export-csv", plan, "-o"}, 2},
        {{"import-csv", plan}, 2},
        {{"export-csv", dir.File("none.vkf")}, 3},
        {{"import-csv", plan, dir.File("none.csv")}, 3},
        {{"import-csv", plan, dir.Path().string()}, 3},
        {{"export-csv", plan, "-o", dir.File("no/such/folder.csv")}, 3},
    };
    for (const auto& [args, status] : cases) {
        SCOPED_TRACE(args.back());
        EXPECT_EQ(Cli(args).status, status);
    }
    EXPECT_EQ(ReadFileBytes(plan), before);
}

TEST(CliBackup, ReadAndWriteEachKeepABackup) {
    TempDir dir;
    ScopedEnv data("XDG_DATA_HOME", dir.File("data").c_str());
    const std::string folder = dir.File("data") + "/Velk/KT-M220/backups/";
    const std::string plan = MakePlan(dir, "plan.vkf");

    const std::string copy = dir.File("copy.vkf");
    const auto read = Clone({"read", "-o", copy}, {"--image", plan});
    ASSERT_EQ(read.status, 0) << read.out << read.err;
    const std::string readBackup = BackupPath(read.out);
    EXPECT_EQ(readBackup.rfind(folder, 0), 0u) << read.out;
    EXPECT_TRUE(Contains(readBackup, "_read.vkf"));
    // The backup opens as a data file and holds what was read.
    const auto shownBackup = Cli({"show", readBackup});
    EXPECT_EQ(shownBackup.status, 0) << shownBackup.err;
    EXPECT_EQ(shownBackup.out, Cli({"show", copy}).out);

    const std::string radio = dir.File("radio.vkf");
    const auto write = Clone({"write", "--yes", plan}, {"--save", radio});
    ASSERT_EQ(write.status, 0) << write.out << write.err;
    const std::string writeBackup = BackupPath(write.out);
    EXPECT_TRUE(Contains(writeBackup, "_write.vkf")) << write.out;
    EXPECT_EQ(ReadFileBytes(writeBackup), ReadFileBytes(radio));

    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        names.push_back(entry.path().string());
    std::vector<std::string> expected{readBackup, writeBackup};
    std::sort(names.begin(), names.end());
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(names, expected);

    // A write the transceiver refuses still leaves the image it was to send.
    const auto refused = Clone({"write", "--yes", plan}, {"--result", "01"});
    EXPECT_EQ(refused.status, 77);
    EXPECT_TRUE(Contains(BackupPath(refused.out), "_write.vkf")) << refused.out;
}

TEST(CliBackup, ABackupThatCannotBeKeptDoesNotStopTheClone) {
    TempDir dir;
    WriteFileBytes(dir.File("plain"), "not a folder");
    ScopedEnv data("XDG_DATA_HOME", dir.File("plain").c_str());
    const std::string plan = MakePlan(dir, "plan.vkf");
    const std::string copy = dir.File("copy.vkf");
    const auto read = Clone({"read", "-o", copy}, {"--image", plan});
    EXPECT_EQ(read.status, 0) << read.out << read.err;
    EXPECT_EQ(BackupPath(read.out), "");
    EXPECT_TRUE(Contains(read.err, "kt-m220-cli: note: no backup was kept: cannot create the "
                                   "folder " +
                                       dir.File("plain")))
        << read.err;
    EXPECT_EQ(ReadFileBytes(copy), ReadFileBytes(plan));
}

} // namespace kt
