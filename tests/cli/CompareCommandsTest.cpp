#include "ProcessRunner.h"
#include "TempDir.h"

#include <gtest/gtest.h>

namespace kt {

namespace {
ProcessResult Cli(const std::vector<std::string>& args) {
    std::vector<std::string> argv{ProgramPath("kt-m220-cli")};
    argv.insert(argv.end(), args.begin(), args.end());
    return RunProcess(argv, {});
}
} // namespace

TEST(CliDiff, ExitsLikeDiff) {
    TempDir dir;
    const std::string a = dir.File("a.vkf");
    const std::string b = dir.File("b.vkf");
    ASSERT_EQ(Cli({"new", "-o", a}).status, 0);
    ASSERT_EQ(Cli({"set", a, "CH.MCH.5.FREQUENCY=119.1", "CH.MCH.5.APPEAR=ON", "CH.MCH.5.NAME=APP"})
                  .status,
              0);
    ASSERT_EQ(Cli({"new", "-o", b}).status, 0);
    ASSERT_EQ(Cli({"set", b, "CH.MCH.5.FREQUENCY=119.1", "CH.MCH.5.APPEAR=ON", "CH.MCH.5.NAME=DEP"})
                  .status,
              0);

    const auto same = Cli({"diff", a, a});
    EXPECT_EQ(same.status, 0);
    EXPECT_EQ(same.out, "");

    const auto differ = Cli({"diff", a, b});
    EXPECT_EQ(differ.status, 1) << differ.err;
    EXPECT_EQ(differ.out, "CH 5 Name: APP -> DEP\n");

    const auto missing = Cli({"diff", a, dir.File("none.vkf")});
    EXPECT_EQ(missing.status, 3);
    EXPECT_EQ(missing.out, "");
    EXPECT_NE(missing.err.find("none.vkf"), std::string::npos) << missing.err;

    EXPECT_EQ(Cli({"diff", a}).status, 2);
}

} // namespace kt
