#include "ProcessRunner.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace kt {

namespace {
ProcessResult Cli(const std::vector<std::string>& args) {
    std::vector<std::string> argv{ProgramPath("kt-m220-cli")};
    argv.insert(argv.end(), args.begin(), args.end());
    return RunProcess(argv, {});
}
} // namespace

TEST(CliCheck, ExitsZeroForACleanPlanOneForFindingsThreeForABadFile) {
    TempDir dir;
    const std::string plan = dir.File("plan.vkf");
    ASSERT_EQ(Cli({"new", "-o", plan}).status, 0);
    ASSERT_EQ(Cli({"set", plan, "CH.MCH.1.FREQUENCY=121.5", "CH.MCH.1.NAME=GUARD"}).status, 0);
    const auto clean = Cli({"check", plan});
    EXPECT_EQ(clean.status, 0) << clean.out << clean.err;
    EXPECT_EQ(clean.out, "");

    // Without 121.500, and with a receive-only service that can transmit.
    ASSERT_EQ(Cli({"set", plan, "CH.MCH.1.FREQUENCY=118.1", "CH.MCH.5.FREQUENCY=127.6",
                   "CH.MCH.5.APPEAR=ON", "CH.MCH.5.NAME=VOLMET"})
                  .status,
              0);
    const auto findings = Cli({"check", plan});
    EXPECT_EQ(findings.status, 1) << findings.err;
    EXPECT_EQ(
        findings.out.rfind("Plan warning: The emergency frequency 121.500 is in no channel", 0), 0u)
        << findings.out;
    EXPECT_NE(findings.out.find("\nCH 5 warning: "), std::string::npos) << findings.out;
    EXPECT_EQ(std::count(findings.out.begin(), findings.out.end(), '\n'), 2) << findings.out;

    const auto missing = Cli({"check", dir.File("none.vkf")});
    EXPECT_EQ(missing.status, 3);
    EXPECT_EQ(missing.out, "");
    EXPECT_NE(missing.err.find("none.vkf"), std::string::npos) << missing.err;

    EXPECT_EQ(Cli({"check"}).status, 2);
    EXPECT_EQ(Cli({"check", plan, plan}).status, 2);
}

} // namespace kt
