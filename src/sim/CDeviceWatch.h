#pragma once

#include "CFileDescriptor.h"

#include <string>

namespace kt {

// Notices the program opening and closing the device (inotify on the device
// node), so that the transceiver can tell when the program has let go of
// the port. Opens made before Start are not counted.
class CDeviceWatch {
public:
    // False when the watch cannot be set up; the transceiver then works
    // without knowing.
    bool Start(const std::string& path);
    bool Active() const { return fd_.IsValid(); }
    int Fd() const { return fd_.Get(); }

    struct Change {
        int opened = 0;
        int closed = 0;
        bool letGo = false; // at some moment nobody had the device open any more
    };
    // Reads the waiting notices and keeps the count of open descriptors.
    Change Drain();
    int Openers() const { return openers_; }

private:
    CFileDescriptor fd_;
    int openers_ = 0;
};

} // namespace kt
