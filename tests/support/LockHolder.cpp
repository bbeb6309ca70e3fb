#include "LockHolder.h"

#include <csignal>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/wait.h>
#include <unistd.h>

namespace kt {

LockHolder::LockHolder(const std::string& path) {
    int ready[2];
    if (pipe(ready) != 0)
        return;
    pid_ = fork();
    if (pid_ == 0) {
        // Only async-signal-safe calls here: the test may run threads.
        const int fd = open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
        const char ok = fd >= 0 && flock(fd, LOCK_EX | LOCK_NB) == 0 ? '1' : '0';
        (void)!write(ready[1], &ok, 1);
        for (;;)
            pause();
    }
    close(ready[1]);
    char ok = '0';
    locked_ = pid_ > 0 && read(ready[0], &ok, 1) == 1 && ok == '1';
    close(ready[0]);
}

LockHolder::~LockHolder() {
    if (pid_ > 0) {
        kill(pid_, SIGKILL);
        waitpid(pid_, nullptr, 0);
    }
}

} // namespace kt
