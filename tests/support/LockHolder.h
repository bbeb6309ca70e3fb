#pragma once

#include <string>
#include <sys/types.h>

namespace kt {

// Another process that holds flock(LOCK_EX) on a device until the object
// dies, as a second serial program would.
class LockHolder {
public:
    explicit LockHolder(const std::string& path);
    ~LockHolder();
    LockHolder(const LockHolder&) = delete;
    LockHolder& operator=(const LockHolder&) = delete;

    // Whether the process holds the lock (it has taken it before this returns).
    bool Locked() const { return locked_; }
    pid_t Pid() const { return pid_; }

private:
    pid_t pid_ = -1;
    bool locked_ = false;
};

} // namespace kt
