#include "SignalCleanup.h"
#include "CTempFile.h"
#include "PseudoTerminal.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <csignal>
#include <fcntl.h>
#include <filesystem>
#include <sys/resource.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

namespace kt {

namespace fs = std::filesystem;

namespace {
// Runs body in a child process with the handler installed and gives back how
// the child ended: the signal that ended it, or 0 when it exited.
template <typename Body> int SignalThatEnds(Body body) {
    const pid_t pid = fork();
    if (pid == 0) {
        // SIGQUIT would leave a core file.
        const rlimit noCore{0, 0};
        setrlimit(RLIMIT_CORE, &noCore);
        SignalCleanup::Install();
        body();
        _exit(0);
    }
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFSIGNALED(status) ? WTERMSIG(status) : 0;
}
} // namespace

TEST(SignalCleanupTest, EachTerminatingSignalRemovesTheTemporaryFilesAndEndsByItself) {
    for (int sig : {SIGINT, SIGTERM, SIGHUP, SIGQUIT, SIGPIPE}) {
        SCOPED_TRACE(strsignal(sig));
        TempDir dir;
        const std::string folder = dir.Path().string();
        const int ended = SignalThatEnds([&] {
            CTempFile first(folder, "cw");
            CTempFile second(folder, "plan.vkf.");
            CTempFile handedOver(folder, "kept");
            handedOver.Keep();
            {
                // Gone already: its place is free again.
                CTempFile removed(folder, "cl");
            }
            raise(sig);
        });
        EXPECT_EQ(ended, sig);
        std::vector<std::string> left;
        for (const auto& entry : fs::directory_iterator(dir.Path()))
            left.push_back(entry.path().filename().string());
        ASSERT_EQ(left.size(), 1u);
        EXPECT_EQ(left[0].rfind("kept", 0), 0u) << left[0];
    }
}

TEST(SignalCleanupTest, AnInterruptWhileAnExchangePollsOnlyAsksItToStop) {
    TempDir dir;
    const std::string folder = dir.Path().string();
    // Taken by the exchange: the program goes on.
    EXPECT_EQ(SignalThatEnds([&] {
                  CTempFile file(folder, "cl");
                  SignalCleanup::BeginInterruptPolling();
                  raise(SIGINT);
                  if (!SignalCleanup::TakeInterrupt() || SignalCleanup::TakeInterrupt())
                      _exit(1);
                  SignalCleanup::EndInterruptPolling();
              }),
              0);
    // Twice before it is taken, or left untaken when polling ends: the
    // program ends after all.
    EXPECT_EQ(SignalThatEnds([&] {
                  CTempFile file(folder, "cl");
                  SignalCleanup::BeginInterruptPolling();
                  raise(SIGINT);
                  raise(SIGINT);
              }),
              SIGINT);
    EXPECT_EQ(SignalThatEnds([&] {
                  CTempFile file(folder, "cl");
                  SignalCleanup::BeginInterruptPolling();
                  raise(SIGINT);
                  SignalCleanup::EndInterruptPolling();
              }),
              SIGINT);
    // A termination waits until the exchange has closed its port, then ends
    // the program by itself.
    EXPECT_EQ(SignalThatEnds([&] {
                  CTempFile file(folder, "cl");
                  SignalCleanup::BeginInterruptPolling();
                  raise(SIGTERM);
                  if (SignalCleanup::TerminationRequested() != SIGTERM ||
                      SignalCleanup::TakeInterrupt())
                      _exit(1);
                  SignalCleanup::EndInterruptPolling();
                  _exit(2);
              }),
              SIGTERM);
    // Other signals are never deferred.
    EXPECT_EQ(SignalThatEnds([&] {
                  CTempFile file(folder, "cl");
                  SignalCleanup::BeginInterruptPolling();
                  raise(SIGQUIT);
              }),
              SIGQUIT);
    EXPECT_TRUE(fs::is_empty(dir.Path()));
}

TEST(SignalCleanupTest, ASignalSetsARegisteredPortsLineBackAsFound) {
    PseudoTerminal pty;
    termios found{};
    ASSERT_EQ(tcgetattr(pty.Slave(), &found), 0);
    found.c_lflag |= ICANON | ECHO;
    ASSERT_EQ(tcsetattr(pty.Slave(), TCSANOW, &found), 0);
    ASSERT_EQ(tcgetattr(pty.Slave(), &found), 0);
    EXPECT_EQ(SignalThatEnds([&] {
                  const int fd = open(pty.SlavePath().c_str(), O_RDWR | O_NOCTTY);
                  termios raw = found;
                  cfmakeraw(&raw);
                  tcsetattr(fd, TCSANOW, &raw);
                  const CCleanupEntry port = CCleanupEntry::Port(fd, &found);
                  raise(SIGTERM);
              }),
              SIGTERM);
    termios after{};
    ASSERT_EQ(tcgetattr(pty.Slave(), &after), 0);
    EXPECT_EQ(after.c_lflag, found.c_lflag);
    EXPECT_EQ(after.c_iflag, found.c_iflag);
    EXPECT_EQ(after.c_oflag, found.c_oflag);
}

} // namespace kt
