#include "CInstanceLock.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sys/wait.h>
#include <unistd.h>

namespace kt {

TEST(CInstanceLock, OneHolderAtATimeAndACrashedOneLeavesNothingBehind) {
    TempDir dir;
    const std::string path = dir.File("app.lock");
    {
        CInstanceLock first(path);
        EXPECT_EQ(first.GetState(), CInstanceLock::State::Held);
        CInstanceLock second(path);
        EXPECT_EQ(second.GetState(), CInstanceLock::State::HeldByOther);
    }
    EXPECT_FALSE(std::filesystem::exists(path)) << "the holder removes the file";

    // A holder that ends without a word (no destructor runs) leaves its file,
    // but not its lock.
    const pid_t child = fork();
    if (child == 0) {
        CInstanceLock held(path);
        _exit(held.GetState() == CInstanceLock::State::Held ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    ASSERT_TRUE(std::filesystem::exists(path));
    CInstanceLock next(path);
    EXPECT_EQ(next.GetState(), CInstanceLock::State::Held);

    // No folder to lock in.
    CInstanceLock nowhere(dir.File("missing/app.lock"));
    EXPECT_EQ(nowhere.GetState(), CInstanceLock::State::Unavailable);
}

} // namespace kt
