
#include "ChildProcess.h"
#include "SimProcess.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <future>
#include <memory>

namespace kt {

// Every fault of the cable and the transceiver that the virtual transceiver
// can play, against each clone command of the command-line program. For each
// the command must end with its outcome, within the time-out, having opened
// the port anew for each exchange, leaving no temporary file behind, and with
// the user's files as they were: a failed read neither creates nor touches
// its -o file, and a write never changes the file it sends.
//
// The cases of one command run side by side, so that the time-outs of 2 to
// 3 s overlap; the line is unpaced (--baud 0) except where the fault is the
// pace itself. The virtual transceivers are all started first, on the test's
// own thread; the threads that run the command line fork only through
// RunChild, which prepares everything before it forks.

namespace {

using Clock = std::chrono::steady_clock;

enum class Command { Information, Read, Write };

struct FaultCase {
    const char* what;
    std::vector<std::string> sim;
    int status;
    // Exchanges the command runs (the information exchange, then the read or
    // write exchange when the transceiver answered it), and how many of them
    // end by the time-out.
    int exchanges;
    int timeouts;
    // A line the virtual transceiver logs when the fault has struck; empty
    // when the fault shows in the outcome alone.
    std::string simLog;
    // Write: the transceiver heard the whole write and kept it, though its
    // answer never came back.
    bool transceiverKeepsIt = false;
};

// Port opening, the pauses around the request and the closing of the
// progress bar take about 1 s per exchange; a time-out comes 2 to 3 s after
// the last frame. The slack covers a loaded machine.
constexpr double kSecondsPerExchange = 1.2;
constexpr double kTimeoutSeconds = 3.0;
constexpr double kSlackSeconds = 2.0;
constexpr double kShortestTimeout = 2.0;

std::string Cli() {
    return ProgramPath("kt-m220-cli");
}

bool Contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

int CountOf(const std::string& text, const std::string& part) {
    int n = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        ++n;
    return n;
}

std::vector<std::string> FilesIn(const std::filesystem::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    return names;
}

// The files every case starts from: the image the transceiver holds and the
// plan a write sends, each a data file that differs from the default image.
struct Files {
    TempDir dir;
    std::string radio = dir.File("radio.vkf");
    std::string plan = dir.File("plan.vkf");
    std::string oldCopy = dir.File("old-copy.vkf");

    Files() {
        Make(radio, {"CH.MCH.7.FREQUENCY=119.1", "CH.MCH.7.APPEAR=ON", "CH.MCH.7.NAME=APP",
                     "COMMON.CLONE_COMMENT=In the radio"});
        Make(plan, {"CH.MCH.20.FREQUENCY=136.975", "CH.MCH.20.APPEAR=ON",
                    "COMMON.CLONE_COMMENT=The plan"});
        Make(oldCopy, {"CH.MCH.3.FREQUENCY=121.5", "CH.MCH.3.APPEAR=ON"});
    }

    static void Make(const std::string& path, std::vector<std::string> commands) {
        ASSERT_EQ(RunChild({Cli(), "new", "-o", path}).status, 0);
        commands.insert(commands.begin(), {Cli(), "set", path});
        ASSERT_EQ(RunChild(commands).status, 0);
    }
};

struct Outcome {
    ProcessResult cli;
    double seconds = 0;
    std::string simLog;
    std::vector<std::string> leftInTmp;
    // Read: the -o file afterwards (empty when missing), and whether it was
    // there before. Write: the file sent, afterwards, and what the
    // transceiver saved (empty when it kept nothing).
    bool targetExisted = false;
    bool targetExists = false;
    std::string target;
    std::string transceiverSaved;
};

// One case: its folder, its virtual transceiver, and the command line to run
// against it. Made on the test's own thread, before any other thread runs:
// starting the transceiver forks the test, which is safe only then.
class CaseRun {
public:
    CaseRun(Command command, const FaultCase& c, const Files& files, bool targetExists)
        : sim_(SimOptions(c, files)) {
        std::filesystem::create_directories(tmp_);
        // Settings and backups of the command go to the case's own folders.
        setup_.environment = {"TMPDIR=" + tmp_.string(), "XDG_CONFIG_HOME=" + dir_.File("config"),
                              "XDG_DATA_HOME=" + dir_.File("data")};
        argv_ = {Cli()};
        switch (command) {
        case Command::Information:
            argv_.insert(argv_.end(), {"info", "--port", sim_.Device(), "--no-beep"});
            break;
        case Command::Read:
            argv_.insert(argv_.end(),
                         {"read", "--port", sim_.Device(), "--no-beep", "-o", target_});
            if (targetExists)
                std::filesystem::copy_file(files.oldCopy, target_);
            outcome_.targetExisted = targetExists;
            break;
        case Command::Write:
            std::filesystem::copy_file(files.plan, target_);
            argv_.insert(argv_.end(),
                         {"write", "--port", sim_.Device(), "--no-beep", "--yes", target_});
            break;
        }
    }

    // Runs the command (on any thread) and gives what came of it.
    Outcome Run() {
        if (sim_.Device().empty()) {
            sim_.Stop();
            outcome_.simLog = sim_.Log();
            return outcome_;
        }
        const Clock::time_point start = Clock::now();
        outcome_.cli = RunChild(argv_, setup_);
        outcome_.seconds = std::chrono::duration<double>(Clock::now() - start).count();
        sim_.Stop();
        outcome_.simLog = sim_.Log();
        outcome_.leftInTmp = FilesIn(tmp_);
        outcome_.targetExists = std::filesystem::exists(target_);
        outcome_.target = ReadFileBytes(target_);
        outcome_.transceiverSaved = ReadFileBytes(saved_);
        return outcome_;
    }

private:
    std::vector<std::string> SimOptions(const FaultCase& c, const Files& files) const {
        std::vector<std::string> options{"--baud", "0", "--image", files.radio, "--save", saved_};
        options.insert(options.end(), c.sim.begin(), c.sim.end());
        return options;
    }

    TempDir dir_;
    std::filesystem::path tmp_ = dir_.Path() / "tmp";
    std::string target_ = dir_.File("target.vkf");
    std::string saved_ = dir_.File("transceiver.vkf");
    SimProcess sim_;
    ChildSetup setup_;
    std::vector<std::string> argv_;
    Outcome outcome_;
};

void CheckCase(Command command, const FaultCase& c, const Outcome& o, const Files& files) {
    SCOPED_TRACE(c.what);
    ASSERT_NE(o.cli.status, -1) << "the virtual transceiver did not start:\n" << o.simLog;
    // Everything known of the run, for any check that fails.
    const std::string run = "exit " + std::to_string(o.cli.status) + " after " +
                            std::to_string(o.seconds) + " s\n" + o.cli.out + o.cli.err +
                            "--- the virtual transceiver:\n" + o.simLog;
    EXPECT_EQ(o.cli.status, c.status) << run;

    // Ends within its time-out, and a time-out is really waited for.
    const double limit =
        c.exchanges * kSecondsPerExchange + c.timeouts * kTimeoutSeconds + kSlackSeconds;
    EXPECT_LT(o.seconds, limit) << run;
    if (c.timeouts > 0) {
        EXPECT_GE(o.seconds, kShortestTimeout) << run;
    }

    // Each exchange opens the port again: the one before has closed it.
    EXPECT_EQ(CountOf(o.simLog, "port opened"), c.exchanges) << run;
    if (!c.simLog.empty()) {
        EXPECT_TRUE(Contains(o.simLog, c.simLog)) << run;
    }
    // Neither the clone file nor the radio data object's file is left.
    EXPECT_TRUE(o.leftInTmp.empty()) << o.leftInTmp.front() << " is left\n" << run;

    const bool completed = c.status == 0;
    switch (command) {
    case Command::Information:
        break;
    case Command::Read:
        if (completed) {
            EXPECT_EQ(o.target, ReadFileBytes(files.radio));
        } else if (o.targetExisted) {
            EXPECT_EQ(o.target, ReadFileBytes(files.oldCopy)) << "the -o file was touched";
        } else {
            EXPECT_FALSE(o.targetExists) << "a failed read made its -o file";
        }
        break;
    case Command::Write:
        EXPECT_EQ(o.target, ReadFileBytes(files.plan)) << "the file sent was changed";
        if (completed || c.transceiverKeepsIt) {
            EXPECT_EQ(o.transceiverSaved, ReadFileBytes(files.plan));
        } else {
            EXPECT_TRUE(o.transceiverSaved.empty()) << "the transceiver took a failed write";
        }
        break;
    }
}

void RunMatrix(Command command, const std::vector<FaultCase>& cases) {
    const Files files;
    std::vector<std::unique_ptr<CaseRun>> runs;
    for (std::size_t i = 0; i < cases.size(); ++i) {
        // Half of the reads go to a file that is there already.
        const bool targetExists = i % 2 == 0;
        runs.push_back(std::make_unique<CaseRun>(command, cases[i], files, targetExists));
    }
    std::vector<std::future<Outcome>> running;
    for (auto& run : runs)
        running.push_back(std::async(std::launch::async, &CaseRun::Run, run.get()));
    for (std::size_t i = 0; i < cases.size(); ++i)
        CheckCase(command, cases[i], running[i].get(), files);
}

// The faults of a read exchange that an information or write exchange never
// meets: the command completes as if they were not there.
std::vector<FaultCase> ReadOnlyFaults(int exchanges) {
    return {
        {"a record with a bad checksum (not sent here)",
         {"--bad-checksum", "3"},
         0,
         exchanges,
         0,
         ""},
        {"a record whose count lies (not sent here)", {"--lying-count"}, 0, exchanges, 0, ""},
        {"an end frame one byte short (not sent here)", {"--short-end"}, 0, exchanges, 0, ""},
        {"a frame body of 300 bytes (not sent here)", {"--long-frame"}, 0, exchanges, 0, ""},
    };
}

} // namespace

TEST(FaultMatrix, Information) {
    std::vector<FaultCase> cases = {
        {"no cable", {"--pull-after", "0"}, 77, 1, 1, ""},
        {"a cable that does not echo", {"--no-echo"}, 0, 1, 0, ""},
        {"a wrong echo byte", {"--wrong-echo"}, 77, 1, 0, "altered one byte in the echo"},
        {"silence after the echo", {"--silent"}, 77, 1, 1, "silent: heard command E0"},
        {"noise between frames", {"--noise"}, 0, 1, 0, ""},
        {"the cable pulled after the request", {"--pull-after", "1"}, 77, 1, 1, "pulled after 1"},
        {"the device vanishing", {"--close-after", "1"}, 77, 1, 1, "the device vanishes"},
    };
    for (const FaultCase& c : ReadOnlyFaults(1))
        cases.push_back(c);
    RunMatrix(Command::Information, cases);
}

TEST(FaultMatrix, Read) {
    const std::vector<FaultCase> cases = {
        {"no cable", {"--pull-after", "0"}, 77, 1, 1, ""},
        // The transceiver's frames are taken without their echo pacing them.
        {"a cable that does not echo", {"--no-echo"}, 0, 2, 0, ""},
        {"a wrong echo byte of the read request",
         {"--wrong-echo=2"},
         77,
         2,
         0,
         "altered one byte in the echo of frame 2"},
        {"silence after the echo", {"--silent"}, 77, 1, 1, "silent: heard command E0"},
        {"a record with a bad checksum",
         {"--bad-checksum", "3"},
         77,
         2,
         0,
         "record 3 with a wrong checksum"},
        {"a record whose count lies", {"--lying-count"}, 77, 2, 0, "with a lying count"},
        {"an end frame one byte short", {"--short-end"}, 77, 2, 0, "end frame one byte short"},
        {"a frame body of 300 bytes", {"--long-frame"}, 0, 2, 0, "after a 300-byte frame"},
        {"noise between frames", {"--noise"}, 0, 2, 0, ""},
        {"silence after the echo of the read request",
         {"--pull-after", "3"},
         77,
         2,
         1,
         "pulled after 3 frames"},
        {"the cable pulled mid-read", {"--pull-after", "10"}, 77, 2, 1, "pulled after 10 frames"},
        {"silence before the end frame",
         {"--pull-after", "34"},
         77,
         2,
         1,
         "pulled after 34 frames"},
        {"the device vanishing mid-read",
         {"--close-after", "10"},
         77,
         2,
         1,
         "the device vanishes after 10 frames"},
        // One byte every 2.5 s never completes a frame within the time-out.
        {"a transceiver answering one byte every 2.5 s", {"--slow", "2500"}, 77, 1, 1, ""},
    };
    RunMatrix(Command::Read, cases);
}

TEST(FaultMatrix, Write) {
    std::vector<FaultCase> cases = {
        {"no cable", {"--pull-after", "0"}, 77, 1, 1, ""},
        // The identity answer comes without echo; the records wait for theirs.
        {"a cable that does not echo", {"--no-echo"}, 77, 2, 1, ""},
        {"a wrong echo byte of a record",
         {"--wrong-echo=10"},
         77,
         2,
         0,
         "altered one byte in the echo of frame 10"},
        {"silence after the echo", {"--silent"}, 77, 1, 1, "silent: heard command E0"},
        {"noise between frames", {"--noise"}, 0, 2, 0, ""},
        {"silence after the echo of the write request",
         {"--pull-after", "3"},
         77,
         2,
         1,
         "pulled after 3 frames"},
        {"the cable pulled mid-write", {"--pull-after", "10"}, 77, 2, 1, "pulled after 10 frames"},
        // The transceiver has heard the end frame and kept the image; the
        // program cannot know and reports the failure.
        {"silence after the end frame", {"--pull-after", "35"}, 77, 2, 1, "image kept", true},
        {"the device vanishing mid-write",
         {"--close-after", "10"},
         77,
         2,
         1,
         "the device vanishes after 10 frames"},
    };
    for (const FaultCase& c : ReadOnlyFaults(2))
        cases.push_back(c);
    RunMatrix(Command::Write, cases);
}

} // namespace kt
