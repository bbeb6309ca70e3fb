
#include "ProcessRunner.h"
#include "SimProcess.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <filesystem>
#include <sys/inotify.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace kt {

// Signals that end kt-m220-cli while it talks to the transceiver: the program
// must end by the signal (or, for Ctrl-C during an exchange, cancel it), and
// leave no temporary file behind.

namespace fs = std::filesystem;

namespace {
// kt-m220-cli started with its temporary and data folders in dir, its output
// in files there; Wait gives its status as RunProcess does (128 + signal).
class RunningCli {
public:
    RunningCli(const TempDir& dir, std::vector<std::string> args) : dir_(dir) {
        fs::create_directories(dir.Path() / "tmp");
        args.insert(args.begin(), ProgramPath("kt-m220-cli"));
        std::vector<std::string> env = {"TMPDIR=" + dir.File("tmp"),
                                        "XDG_DATA_HOME=" + dir.File("data"),
                                        "XDG_CONFIG_HOME=" + dir.File("config"), "PATH=/usr/bin"};
        std::vector<char*> argv;
        for (std::string& a : args)
            argv.push_back(a.data());
        argv.push_back(nullptr);
        std::vector<char*> envp;
        for (std::string& e : env)
            envp.push_back(e.data());
        envp.push_back(nullptr);
        const std::string out = dir.File("out.txt");
        const std::string err = dir.File("err.txt");
        pid_ = fork();
        if (pid_ == 0) {
            const int in = open("/dev/null", O_RDONLY);
            const int o = open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
            const int e = open(err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
            dup2(in, 0);
            dup2(o, 1);
            dup2(e, 2);
            // SIGQUIT would leave a core file.
            const rlimit noCore{0, 0};
            setrlimit(RLIMIT_CORE, &noCore);
            execve(argv[0], argv.data(), envp.data());
            _exit(127);
        }
    }
    ~RunningCli() {
        if (pid_ > 0) {
            kill(pid_, SIGKILL);
            Wait();
        }
    }
    RunningCli(const RunningCli&) = delete;
    RunningCli& operator=(const RunningCli&) = delete;

    void Signal(int sig) const { kill(pid_, sig); }
    int Wait() {
        int status = 0;
        waitpid(pid_, &status, 0);
        pid_ = -1;
        return WIFSIGNALED(status) ? 128 + WTERMSIG(status) : WEXITSTATUS(status);
    }
    std::string Out() const { return ReadFileBytes(dir_.File("out.txt")); }
    std::vector<std::string> TemporaryFiles() const {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(dir_.Path() / "tmp"))
            names.push_back(entry.path().filename().string());
        return names;
    }

private:
    const TempDir& dir_;
    pid_t pid_ = -1;
};

// Waits until the device has been opened count times (by the program under
// test: the watch starts after the simulator has opened its own end).
class OpenWatch {
public:
    explicit OpenWatch(const std::string& device)
        : fd_(inotify_init1(IN_CLOEXEC)), watch_(inotify_add_watch(fd_, device.c_str(), IN_OPEN)) {}
    ~OpenWatch() { close(fd_); }
    OpenWatch(const OpenWatch&) = delete;
    OpenWatch& operator=(const OpenWatch&) = delete;

    bool Works() const { return fd_ >= 0 && watch_ >= 0; }
    void WaitForOpens(int count) {
        alignas(inotify_event) char buffer[4096];
        while (count > 0) {
            const ssize_t n = read(fd_, buffer, sizeof buffer);
            if (n <= 0)
                return;
            for (ssize_t at = 0; at < n;) {
                const auto* event = reinterpret_cast<const inotify_event*>(buffer + at);
                if (event->mask & IN_OPEN)
                    --count;
                at += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
            }
        }
    }

private:
    int fd_;
    int watch_;
};
} // namespace

// Ctrl-C cancels the exchange (the information exchange too); every other
// signal ends the program by itself, once the port is closed.
TEST(CliSignals, EachSignalDuringAnExchangeRemovesTheTemporaryFilesAndEndsTheProgram) {
    for (int sig : {SIGINT, SIGTERM, SIGHUP, SIGQUIT, SIGPIPE}) {
        SCOPED_TRACE(strsignal(sig));
        // The transceiver echoes but never answers: the exchange waits.
        SimProcess sim({"--baud", "0", "--silent"});
        ASSERT_FALSE(sim.Device().empty());
        OpenWatch watch(sim.Device());
        ASSERT_TRUE(watch.Works());
        TempDir dir;
        RunningCli cli(dir, {"read", "--port", sim.Device(), "--no-beep", "-o", dir.File("x.vkf")});
        watch.WaitForOpens(1);
        // The clone file and the radio data object's file exist meanwhile.
        EXPECT_EQ(cli.TemporaryFiles().size(), 2u);
        cli.Signal(sig);
        EXPECT_EQ(cli.Wait(), sig == SIGINT ? 1 : 128 + sig);
        EXPECT_TRUE(cli.TemporaryFiles().empty());
        EXPECT_FALSE(fs::exists(dir.File("x.vkf")));
    }
}

TEST(CliSignals, CtrlCDuringAReadCancelsItAndCleansUp) {
    // Paced at the line's speed, the read exchange lasts about 1.5 s.
    SimProcess sim({"--baud", "9600"});
    ASSERT_FALSE(sim.Device().empty());
    OpenWatch watch(sim.Device());
    ASSERT_TRUE(watch.Works());
    TempDir dir;
    RunningCli cli(dir, {"read", "--port", sim.Device(), "--no-beep", "-o", dir.File("x.vkf")});
    watch.WaitForOpens(2); // the information exchange, then the read
    cli.Signal(SIGINT);
    EXPECT_EQ(cli.Wait(), 1);
    EXPECT_NE(cli.Out().find(" Terminated cloning."), std::string::npos) << cli.Out();
    EXPECT_TRUE(cli.TemporaryFiles().empty());
    EXPECT_FALSE(fs::exists(dir.File("x.vkf")));
}

TEST(CliSignals, CtrlCAndTerminationEndAnInformationExchangeWithinASecond) {
    for (int sig : {SIGINT, SIGTERM}) {
        SCOPED_TRACE(strsignal(sig));
        // The transceiver echoes but never answers: the exchange waits.
        SimProcess sim({"--baud", "0", "--silent"});
        ASSERT_FALSE(sim.Device().empty());
        OpenWatch watch(sim.Device());
        ASSERT_TRUE(watch.Works());
        TempDir dir;
        RunningCli cli(dir, {"info", "--port", sim.Device(), "--no-beep"});
        watch.WaitForOpens(1);
        const auto start = std::chrono::steady_clock::now();
        cli.Signal(sig);
        const int status = cli.Wait();
        EXPECT_LT(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count(),
                  1.0);
        if (sig == SIGINT) {
            EXPECT_EQ(status, 1);
            EXPECT_NE(cli.Out().find(" Terminated cloning.  \n"), std::string::npos) << cli.Out();
        } else {
            EXPECT_EQ(status, 128 + sig);
        }
        EXPECT_TRUE(cli.TemporaryFiles().empty());
    }
}

} // namespace kt
