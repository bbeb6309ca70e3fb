#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace kt {

// Turns the port names "COM1" to "COM4" into serial device paths. Each port
// may be given a device path (the settings CommPort/Device1 to Device4); a
// port without one is the first of /dev/ttyUSB{n-1}, /dev/ttyACM{n-1} and
// /dev/ttyS{n-1} that exists. Any other name is taken as a device path and
// used as it is.
class CPortNames {
public:
    static constexpr unsigned kPortCount = 4;

    // deviceFolder is where the automatic candidates are looked for; only
    // tests give anything but "/dev".
    explicit CPortNames(std::string deviceFolder = "/dev");

    // The configured device of port number (1 to 4); an empty path means
    // "find it". Other numbers are ignored.
    void SetDevice(unsigned number, std::string path);
    // The configured device of port number, empty when there is none.
    std::string Device(unsigned number) const;

    // 1 to 4 for "COM1" to "COM4" (any case, a trailing ':' allowed), else 0.
    static unsigned PortNumberOf(std::string_view name);

    // The automatic candidates of port number, in the order they are tried.
    std::vector<std::string> Candidates(unsigned number) const;
    // The device of port number: the configured one, else the first candidate
    // that exists, else the first candidate (so that opening it explains
    // what is missing).
    std::string DeviceOf(unsigned number) const;
    // The device to open for a port name.
    std::string Resolve(std::string_view name) const;

private:
    std::string deviceFolder_;
    std::array<std::string, kPortCount> devices_;
};

} // namespace kt
