#include "ProcessRunner.h"
#include "ScopedEnv.h"
#include "SimProcess.h"
#include "TempDir.h"

#include <gtest/gtest.h>

namespace kt {

namespace {
ProcessResult Cli(const std::vector<std::string>& args) {
    std::vector<std::string> argv{ProgramPath("kt-m220-cli")};
    argv.insert(argv.end(), args.begin(), args.end());
    return RunProcess(argv, {});
}

// A clone command against the running simulator, quietly.
ProcessResult Clone(const SimProcess& sim, std::vector<std::string> args) {
    args.insert(args.begin() + 1, {"--port", sim.Device(), "--no-beep"});
    return Cli(args);
}

bool Contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

// A plan with channel 5 named name and the clone comment "Club radio 3".
std::string Plan(const TempDir& dir, const std::string& file, const std::string& name) {
    const std::string path = dir.File(file);
    EXPECT_EQ(Cli({"new", "-o", path}).status, 0);
    EXPECT_EQ(Cli({"set", path, "CH.MCH.5.FREQUENCY=119.1", "CH.MCH.5.APPEAR=ON",
                   "CH.MCH.5.NAME=" + name, "COMMON.CLONE_COMMENT=Club radio 3"})
                  .status,
              0);
    return path;
}
} // namespace

TEST(CliWriteCheck, WriteTellsWhatItChangesAgainstTheLastRead) {
    TempDir dir;
    // Backups of its own: the newest read must be this test's.
    ScopedEnv data("XDG_DATA_HOME", dir.File("data").c_str());
    const std::string app = Plan(dir, "app.vkf", "APP");
    const std::string dep = Plan(dir, "dep.vkf", "DEP");
    SimProcess sim({"--baud", "0", "--image", app});
    ASSERT_FALSE(sim.Device().empty());

    const auto first = Clone(sim, {"write", "--yes", app});
    ASSERT_EQ(first.status, 0) << first.out << first.err;
    EXPECT_TRUE(Contains(first.out, "No earlier read of the transceiver is known, so what this "
                                    "write changes cannot be shown.\n Now writing -> TR\n"))
        << first.out;

    ASSERT_EQ(Clone(sim, {"read", "-o", dir.File("read.vkf")}).status, 0);
    const auto second = Clone(sim, {"write", "--yes", dep});
    ASSERT_EQ(second.status, 0) << second.out << second.err;
    EXPECT_TRUE(
        Contains(second.out, "This write changes, against the last read of the transceiver ("))
        << second.out;
    EXPECT_TRUE(Contains(second.out, ", comment \"Club radio 3\"):\n  CH 5 Name: APP -> DEP\n Now "
                                     "writing -> TR\n"))
        << second.out;

    // Without --yes and without a terminal the list still comes first, then the
    // question that is not answered; nothing is sent.
    const auto declined = Clone(sim, {"write", app});
    EXPECT_EQ(declined.status, 5);
    EXPECT_TRUE(Contains(declined.out, "changes nothing against the last read")) << declined.out;
    EXPECT_TRUE(Contains(declined.err, " Write to transceiver\n")) << declined.err;
}

TEST(CliWriteCheck, VerifyReadsBackAndTellsWhatTheRadioHolds) {
    TempDir dir;
    ScopedEnv data("XDG_DATA_HOME", dir.File("data").c_str());
    const std::string dep = Plan(dir, "dep.vkf", "DEP");
    {
        SimProcess sound({"--baud", "0"});
        const auto run = Clone(sound, {"write", "--yes", "--verify", dep});
        EXPECT_EQ(run.status, 0) << run.out << run.err;
        EXPECT_TRUE(Contains(run.out, " Clone writing succeeded. \n")) << run.out;
        EXPECT_TRUE(Contains(run.out, "Verified: the transceiver holds what was written.\n"))
            << run.out;
    }
    {
        // Record 10 holds memory channel 5: the radio keeps its name altered
        // though the write itself reports success.
        SimProcess corrupting({"--baud", "0", "--corrupt-write", "10"});
        const auto run = Clone(corrupting, {"write", "--yes", "--verify", dep});
        EXPECT_EQ(run.status, 77) << run.out << run.err;
        // The write's own outcome comes first, as without --verify.
        const auto succeeded = run.out.find(" Clone writing succeeded. \n");
        const auto failed = run.out.find("Verification failed: the transceiver does not hold what "
                                         "was written (written -> read back):\n"
                                         "  CH 5 Name: DEP -> EEP\n"
                                         "What was sent is kept in the backup ");
        ASSERT_NE(failed, std::string::npos) << run.out;
        EXPECT_LT(succeeded, failed);
        const auto backup = run.out.find("_write.vkf\n", failed);
        ASSERT_NE(backup, std::string::npos) << run.out;
        const std::string path = run.out.substr(failed, backup + 10 - failed);
        EXPECT_EQ(ReadFileBytes(path.substr(path.find(dir.File("data")))), ReadFileBytes(dep));
    }
    {
        // The cable is pulled once the write's 36 frames have passed.
        SimProcess pulled({"--baud", "0", "--pull-after", "36"});
        const auto run = Clone(pulled, {"write", "--yes", "--verify", dep});
        EXPECT_EQ(run.status, 7) << run.out << run.err;
        EXPECT_TRUE(Contains(run.out, " Clone writing succeeded. \n")) << run.out;
        EXPECT_TRUE(Contains(run.out, "written, but not verified")) << run.out;
        EXPECT_FALSE(Contains(run.out, " Err: ")) << run.out;
    }
}

} // namespace kt
