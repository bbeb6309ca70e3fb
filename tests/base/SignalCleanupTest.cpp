#include "SignalCleanup.h"
#include "CTempFile.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

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
    // Other signals are never deferred.
    EXPECT_EQ(SignalThatEnds([&] {
                  CTempFile file(folder, "cl");
                  SignalCleanup::BeginInterruptPolling();
                  raise(SIGTERM);
              }),
              SIGTERM);
    EXPECT_TRUE(fs::is_empty(dir.Path()));
}
