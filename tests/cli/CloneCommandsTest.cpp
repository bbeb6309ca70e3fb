#include "ProcessRunner.h"
#include "SimProcess.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>

namespace kt {

namespace {
ProcessResult Cli(const std::vector<std::string>& args, const std::string& input = {}) {
    std::vector<std::string> argv{ProgramPath("kt-m220-cli")};
    argv.insert(argv.end(), args.begin(), args.end());
    return RunProcess(argv, input);
}

// A clone command against a fresh unpaced simulator with the given options.
struct Run {
    ProcessResult cli;
    std::string simLog;
    double seconds = 0;
};

Run Against(const std::vector<std::string>& simOptions, std::vector<std::string> cliArgs) {
    std::vector<std::string> options{"--baud", "0"};
    options.insert(options.end(), simOptions.begin(), simOptions.end());
    SimProcess sim(options);
    EXPECT_FALSE(sim.Device().empty()) << "the simulator did not start";
    cliArgs.insert(cliArgs.begin() + 1, {"--port", sim.Device(), "--no-beep"});
    const auto start = std::chrono::steady_clock::now();
    Run run;
    run.cli = Cli(cliArgs);
    run.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    sim.Stop();
    run.simLog = sim.Log();
    return run;
}

bool Contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

const char kBoxK[] = " Check the following:\n\n - The RS-232C port settings.\n";
} // namespace

TEST(CliClone, InformationShowsModelAndComment) {
    const auto run = Against({"--comment", "Flying club 42"}, {"info"});
    EXPECT_EQ(run.cli.status, 0) << run.cli.out << run.cli.err;
    EXPECT_TRUE(Contains(run.cli.out, "Model   : VR-M220\n")) << run.cli.out;
    EXPECT_TRUE(Contains(run.cli.out, "Comment : Flying club 42")) << run.cli.out;
}

TEST(CliClone, ReadGivesTheTransceiversImage) {
    TempDir dir;
    const std::string image = dir.File("radio.vkf");
    ASSERT_EQ(Cli({"new", "-o", image}).status, 0);
    ASSERT_EQ(Cli({"set", image, "CH.MCH.7.FREQUENCY=119.1", "CH.MCH.7.APPEAR=ON",
                   "CH.MCH.7.NAME=APP", "COMMON.CLONE_COMMENT=Club radio 3"})
                  .status,
              0);
    const std::string copy = dir.File("copy.vkf");
    const auto run = Against({"--image", image}, {"read", "-o", copy});
    ASSERT_EQ(run.cli.status, 0) << run.cli.out << run.cli.err << run.simLog;
    EXPECT_TRUE(Contains(run.cli.out, " Now reading <- TR\n"));
    EXPECT_TRUE(Contains(run.cli.out, " Cloning completed.\n"));
    EXPECT_EQ(ReadFileBytes(copy), ReadFileBytes(image));
}

TEST(CliClone, WriteLeavesTheTransceiverHoldingTheFile) {
    TempDir dir;
    const std::string file = dir.File("plan.vkf");
    ASSERT_EQ(Cli({"new", "-o", file}).status, 0);
    ASSERT_EQ(Cli({"set", file, "CH.MCH.20.FREQUENCY=136.975", "CH.MCH.20.APPEAR=ON"}).status, 0);
    const std::string saved = dir.File("radio-after.vkf");
    const auto run = Against({"--save", saved}, {"write", "--yes", file});
    ASSERT_EQ(run.cli.status, 0) << run.cli.out << run.cli.err << run.simLog;
    EXPECT_TRUE(Contains(run.cli.out, " Now writing -> TR\n Cloning completed.\n"));
    EXPECT_TRUE(Contains(run.cli.out, " Clone writing succeeded. \n"));
    EXPECT_EQ(ReadFileBytes(saved), ReadFileBytes(file));
}

TEST(CliClone, WriteWithoutAnAnswerSendsNothingAndSaysItWasDeclined) {
    TempDir dir;
    const std::string file = dir.File("plan.vkf");
    ASSERT_EQ(Cli({"new", "-o", file}).status, 0);
    const std::string saved = dir.File("never.vkf");
    const auto run = Against({"--save", saved}, {"write", file});
    // Not 1: a script must tell a declined write from a cancelled exchange.
    EXPECT_EQ(run.cli.status, 5);
    EXPECT_TRUE(Contains(run.cli.err, "--yes"));
    EXPECT_TRUE(ReadFileBytes(saved).empty());
    EXPECT_FALSE(Contains(run.simLog, "port opened")) << run.simLog;
}

TEST(CliClone, AnEmptyPortIsAUsageError) {
    TempDir dir;
    for (const std::vector<std::string>& args : {std::vector<std::string>{"info", "--port", ""},
                                                 {"info", "--port="},
                                                 {"read", "--port", "", "-o", dir.File("x.vkf")}}) {
        SCOPED_TRACE(args[0] + " " + args[1]);
        const auto r = Cli(args);
        EXPECT_EQ(r.status, 2);
        EXPECT_TRUE(Contains(r.err, "usage: kt-m220-cli ")) << r.err;
        EXPECT_EQ(r.out, "");
    }
    EXPECT_FALSE(std::filesystem::exists(dir.File("x.vkf")));
}

TEST(CliClone, FailuresTellTheUserAndEndWithTheirOutcome) {
    struct Case {
        const char* what;
        std::vector<std::string> sim;
        std::vector<std::string> cli;
        int status;
        std::string status_text;
        std::string box;
    };
    const std::vector<Case> cases = {
        {"wrong revision on read",
         {"--revision", "0101"},
         {"read", "-o", "SINK"},
         85,
         " Err: Illegal information.\n",
         " The transceiver cannot be programmed."},
        {"wrong model on info",
         {"--model", "2271"},
         {"info"},
         85,
         " Err: Illegal information.\n",
         " The transceiver cannot be programmed."},
        {"write refused",
         {"--result", "01"},
         {"write", "--yes", "PLAN"},
         77,
         " Err: Cannot write cloning data.\n",
         kBoxK},
        {"bad checksum",
         {"--bad-checksum", "5"},
         {"read", "-o", "SINK"},
         77,
         " Err: Cannot read cloning data.\n",
         kBoxK},
        {"silence after the echo",
         {"--silent"},
         {"info"},
         77,
         " Err: Illegal information.\n",
         kBoxK},
    };
    TempDir dir;
    const std::string plan = dir.File("plan.vkf");
    ASSERT_EQ(Cli({"new", "-o", plan}).status, 0);
    for (auto c : cases) {
        SCOPED_TRACE(c.what);
        for (auto& a : c.cli) {
            if (a == "PLAN")
                a = plan;
            if (a == "SINK")
                a = dir.File("never.vkf");
        }
        const auto run = Against(c.sim, c.cli);
        EXPECT_EQ(run.cli.status, c.status) << run.cli.out << run.cli.err;
        EXPECT_TRUE(Contains(run.cli.out, c.status_text)) << run.cli.out;
        EXPECT_TRUE(Contains(run.cli.out, c.box)) << run.cli.out;
    }
}

TEST(CliClone, NoEchoTimesOutAfterTwoToThreeSeconds) {
    TempDir dir;
    const auto run = Against({"--pull-after", "0"}, {"read", "-o", dir.File("never.vkf")});
    EXPECT_EQ(run.cli.status, 77);
    EXPECT_TRUE(Contains(run.cli.out, " Err: Cannot read cloning data.\n"));
    EXPECT_GE(run.seconds, 2.0);
    EXPECT_LT(run.seconds, 4.0); // 200 ms before and after the request, then 2 to 3 s
}

TEST(CliClone, AMissingPortIsExplained) {
    TempDir dir;
    const std::string device = dir.File("ttyUSB9");
    const auto r = Cli({"info", "--port", device, "--no-beep"});
    EXPECT_EQ(r.status, 91);
    EXPECT_TRUE(Contains(r.out, " Err: Cannot access RS-232C port.\n"));
    EXPECT_TRUE(Contains(r.out, " - Transceiver power is ON.\n"));
    EXPECT_TRUE(Contains(r.out, device + ": No such file or directory")) << r.out;
}

TEST(CliClone, APacedReadRunsAtTheLinesSpeed) {
    TempDir dir;
    const std::string copy = dir.File("paced.vkf");
    const auto run = Against({"--baud", "9600"}, {"read", "-o", copy});
    ASSERT_EQ(run.cli.status, 0) << run.cli.out << run.cli.err << run.simLog;
    // 1451 bytes of the read alone take 1.51 s at 9600 baud, 10 bits a byte.
    EXPECT_GT(run.seconds, 1.5);
    EXPECT_LT(run.seconds, 6.0);
    EXPECT_EQ(ReadFileBytes(copy).size(), 1269u);
}

} // namespace kt
