#pragma once

#include <string>
#include <vector>

namespace kt {

// A serial device found on this machine. target is where a
// /dev/serial/by-id link points; it is empty for the plain device nodes.
struct SerialDevice {
    std::string path;
    std::string target;
};

// The serial devices present, for a listing of the ports: first the links
// in <deviceFolder>/serial/by-id with their targets, then ttyUSB*, ttyACM*,
// and those ttyS* with a UART behind them as sysFolder tells (most of them
// are only names). Each group in the order of its numbers. No device is
// opened: opening a serial port raises its modem lines.
std::vector<SerialDevice> ListSerialDevices(const std::string& deviceFolder = "/dev",
                                            const std::string& sysFolder = "/sys/class/tty");

} // namespace kt
