#pragma once

#include <string>
#include <vector>

// A serial device found on this machine. target is where a
// /dev/serial/by-id link points; it is empty for the plain device nodes.
struct SerialDevice {
    std::string path;
    std::string target;
};

// The serial devices present, for a listing of the ports: first the links
// in <deviceFolder>/serial/by-id with their targets, then ttyUSB*, ttyACM*,
// and those ttyS* that answer as terminals (most of them are only names
// without a UART behind them). Each group in the order of its numbers.
std::vector<SerialDevice> ListSerialDevices(const std::string& deviceFolder = "/dev");
