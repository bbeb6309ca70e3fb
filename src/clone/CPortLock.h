#pragma once

#include <optional>
#include <string>

namespace kt {

// Who holds a serial device, by the two conventions serial programs follow:
// an advisory lock on the device node (flock(2), as current serial tools
// take it, or a record lock), as /proc/locks lists them; and a UUCP lock file
// /var/lock/LCK..<name> naming a live process, as older terminal programs
// leave it. Finding the holder never opens the device, since opening a real
// serial port raises its modem lines. A program that merely has the device
// open holds nothing: the virtual transceiver keeps its own end open.
class CPortLock {
public:
    static constexpr char kInUseText[] = "in use by another program";

    struct Holder {
        int pid = 0;          // 0 when the lock does not say
        std::string program;  // the process's name, when it can be read
        std::string lockFile; // the UUCP lock file, for a lock of that kind
    };

    // procFolder and lockFolder are "/proc" and "/var/lock" except in tests.
    explicit CPortLock(std::string procFolder = "/proc", std::string lockFolder = "/var/lock");

    // The holder of a lock on device (a path; symbolic links are followed)
    // other than this process: the lock file first, then the device's locks.
    std::optional<Holder> FindHolder(const std::string& device) const;
    std::optional<Holder> LockFileHolder(const std::string& device) const;
    std::optional<Holder> DeviceLockHolder(const std::string& device) const;

    // The lock file's name for a device path without links: the path below
    // /dev with '/' as '_', after "LCK..": "LCK..ttyUSB0", "LCK..pts_3".
    static std::string LockFileName(const std::string& device);
    // "in use by another program: minicom (process 4242)"; the process part
    // as far as the holder tells it.
    static std::string InUseReason(const std::optional<Holder>& holder);

private:
    bool IsAlive(int pid) const;
    std::string ProgramOf(int pid) const;

    std::string procFolder_;
    std::string lockFolder_;
};

} // namespace kt
