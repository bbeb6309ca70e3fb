
#include "EndlessSender.h"
#include "LockHolder.h"
#include "ProcessRunner.h"
#include "PseudoTerminal.h"
#include "ScopedEnv.h"
#include "SimProcess.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <filesystem>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

namespace kt {

// kt-m220-cli on a serial line as real hardware shows it: a port another
// program holds, a terminal given as the port, a device that never stops
// sending, and the plain-words diagnosis of a silent line.

namespace fs = std::filesystem;

namespace {
using Clock = std::chrono::steady_clock;

ProcessResult Cli(const std::vector<std::string>& args) {
    std::vector<std::string> argv{ProgramPath("kt-m220-cli")};
    argv.insert(argv.end(), args.begin(), args.end());
    return RunProcess(argv);
}

double SecondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

bool Contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

const char kBoxK[] = " Check the following:\n\n - The RS-232C port settings.\n";
} // namespace

TEST(CliSerialLine, APortAnotherProgramHoldsIsRefusedAtOnceWithItsHolder) {
    SimProcess sim({"--baud", "0"});
    ASSERT_FALSE(sim.Device().empty());
    LockHolder holder(sim.Device());
    ASSERT_TRUE(holder.Locked());
    TempDir dir;
    ScopedEnv temporary("TMPDIR", dir.Path().c_str());
    // As root, then (when the tests run as root) as an ordinary user.
    std::vector<std::vector<std::string>> runners = {{}};
    if (geteuid() == 0) {
        fs::permissions(dir.Path(), fs::perms::all);
        chmod(sim.Device().c_str(), 0666);
        runners.push_back(
            {"/usr/bin/setpriv", "--reuid=65534", "--regid=65534", "--clear-groups", "--"});
    }
    for (const auto& runner : runners) {
        SCOPED_TRACE(runner.empty() ? "as this user" : "as nobody");
        std::vector<std::string> argv = runner;
        argv.insert(argv.end(), {ProgramPath("kt-m220-cli"), "read", "--port", sim.Device(),
                                 "--no-beep", "-o", dir.File("radio.vkf")});
        const Clock::time_point start = Clock::now();
        const ProcessResult run = RunProcess(argv);
        EXPECT_LT(SecondsSince(start), 1.0);
        EXPECT_EQ(run.status, 91) << run.out << run.err;
        EXPECT_TRUE(Contains(run.out, " Err: Cannot access RS-232C port.\n")) << run.out;
        EXPECT_TRUE(Contains(run.out, sim.Device() + ": in use by another program: ")) << run.out;
        EXPECT_TRUE(Contains(run.out, "(process " + std::to_string(holder.Pid()) + ")")) << run.out;
    }

    // ports names the holder too, without opening the device.
    ScopedEnv config("XDG_CONFIG_HOME", dir.File("config").c_str());
    fs::create_directories(dir.Path() / "config" / "Velk");
    WriteFileBytes(dir.File("config/Velk/KT-M220.ini"),
                   "[CommPort]\nDevice2=" + sim.Device() + "\n");
    const ProcessResult ports = Cli({"ports"});
    EXPECT_EQ(ports.status, 0);
    EXPECT_TRUE(Contains(ports.out, "  COM2  " + sim.Device() +
                                        "  (set in the settings)  (in use by another program: "))
        << ports.out;
}

TEST(CliSerialLine, ATerminalGivenAsThePortIsLeftAsItWasFound) {
    PseudoTerminal pty;
    termios cooked{};
    ASSERT_EQ(tcgetattr(pty.Slave(), &cooked), 0);
    cooked.c_lflag |= ICANON | ECHO | ECHOE | ISIG | IEXTEN;
    cooked.c_iflag |= ICRNL | IXON;
    cooked.c_oflag |= OPOST | ONLCR;
    ASSERT_EQ(tcsetattr(pty.Slave(), TCSANOW, &cooked), 0);
    ASSERT_EQ(tcgetattr(pty.Slave(), &cooked), 0);

    // Nothing answers on the terminal: not even an echo comes back.
    const ProcessResult run = Cli({"info", "--port", pty.SlavePath(), "--no-beep"});
    EXPECT_EQ(run.status, 77);
    // Status, box, then the diagnosis naming the device.
    EXPECT_TRUE(Contains(run.out, std::string(" Err: Illegal information.\n") + kBoxK)) << run.out;
    EXPECT_TRUE(Contains(run.out, "\n\nNothing came back from " + pty.SlavePath() +
                                      ". Is the cable plugged into this port?\n"))
        << run.out;

    termios after{};
    ASSERT_EQ(tcgetattr(pty.Slave(), &after), 0);
    EXPECT_EQ(after.c_lflag, cooked.c_lflag);
    EXPECT_EQ(after.c_iflag, cooked.c_iflag);
    EXPECT_EQ(after.c_oflag, cooked.c_oflag);
    EXPECT_EQ(after.c_cflag, cooked.c_cflag);
    EXPECT_EQ(std::memcmp(after.c_cc, cooked.c_cc, sizeof after.c_cc), 0);
    EXPECT_EQ(cfgetospeed(&after), cfgetospeed(&cooked));
}

TEST(CliSerialLine, ASilentRadioIsToldFromAMissingCable) {
    SimProcess sim({"--baud", "0", "--silent"});
    ASSERT_FALSE(sim.Device().empty());
    TempDir dir;
    const ProcessResult run =
        Cli({"read", "--port", sim.Device(), "--no-beep", "-o", dir.File("radio.vkf")});
    EXPECT_EQ(run.status, 77);
    EXPECT_TRUE(Contains(run.out, std::string(" Err: Cannot read cloning data.\n") + kBoxK))
        << run.out;
    EXPECT_TRUE(Contains(run.out, "\n\nThe cable works: what was sent to " + sim.Device() +
                                      " came back. But the radio did not answer. Is it "
                                      "switched on, and in clone mode?\n"))
        << run.out;
    EXPECT_FALSE(Contains(run.out, "Nothing came back")) << run.out;
}

TEST(CliSerialLine, ADeviceThatSendsFramesForeverEndsTheInformationExchange) {
    PseudoTerminal pty;
    EndlessSender device(pty.Master(), EndlessSender::IgnoredFrame());
    const Clock::time_point start = Clock::now();
    const ProcessResult run = Cli({"info", "--port", pty.SlavePath(), "--no-beep"});
    EXPECT_LT(SecondsSince(start), 15.0);
    EXPECT_EQ(run.status, 77) << run.out << run.err;
    EXPECT_TRUE(Contains(run.out, pty.SlavePath() + " sent more than a clone exchange can bring"))
        << run.out;
}

} // namespace kt
