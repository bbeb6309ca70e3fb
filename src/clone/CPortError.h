#pragma once

#include <string>

namespace kt {

// Why a serial port could not be opened: the device path tried, the errno
// value and the system's text for it (for a port another program holds,
// "in use by another program" and the holder). After a successful open, device is the
// device opened and code is 0.
struct CPortError {
    std::string device;
    int code = 0;
    std::string reason;
    // The program holding a port in use, as far as its lock tells.
    std::string holder;
};

} // namespace kt
