#pragma once

#include "CFileDescriptor.h"

#include <string>
#include <termios.h>

namespace kt {

// The calls by which the serial port opens, sets up, locks and closes its
// device, apart from moving bytes. The port makes them through this class so
// that a test can stand in for the parts a pseudo-terminal cannot show (the
// modem lines, the purge of the queues) and record their order. Each returns
// what the system call returns (-1 with errno on failure).
class CLineControl {
public:
    virtual ~CLineControl() = default;

    virtual CFileDescriptor Open(const std::string& path, int flags);
    // flock(2) on the open device.
    virtual int Lock(int fd, int operation);
    virtual int Ioctl(int fd, unsigned long request, int* argument);
    virtual int GetAttributes(int fd, termios& line);
    // tcsetattr(2) with TCSANOW, repeated while it is interrupted.
    virtual int SetAttributes(int fd, const termios& line);
    // tcflush(2): queue is TCIFLUSH, TCOFLUSH or TCIOFLUSH.
    virtual int Purge(int fd, int queue);
    // Closes the device.
    virtual void Close(CFileDescriptor port);

    // The one used unless a test sets another: the system's calls.
    static CLineControl& System();
};

} // namespace kt
