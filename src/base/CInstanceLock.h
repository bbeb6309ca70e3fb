#pragma once

#include "CFileDescriptor.h"

#include <string>

namespace kt {

// The lock that marks the running copy of a program: an flock(2) on a file.
// The system releases it when the process ends in any way, so a copy that
// crashed leaves nothing to take over; the file is only a place to lock, and
// nothing is written or synced to it (a start does not wait for the disk).
class CInstanceLock {
public:
    enum class State {
        Held,        // this copy holds the lock
        HeldByOther, // another copy holds it
        Unavailable, // no lock can be made there (no permission, no folder)
    };

    // Tries to take the lock at path, without waiting.
    explicit CInstanceLock(const std::string& path);
    // Removes the file and releases the lock when held.
    ~CInstanceLock();
    CInstanceLock(const CInstanceLock&) = delete;
    CInstanceLock& operator=(const CInstanceLock&) = delete;

    State GetState() const { return state_; }

private:
    std::string path_;
    CFileDescriptor fd_;
    State state_ = State::Unavailable;
};

} // namespace kt
