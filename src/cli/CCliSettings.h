#pragma once

#include <string>
#include <string_view>

namespace kt {

class CPortNames;

// The desktop program's settings that the command line shares: the port
// number and the devices configured for COM1 to COM4. They are read from the
// same file the desktop program keeps ($XDG_CONFIG_HOME/Velk/KT-M220.ini,
// section [CommPort], keys PortNumber and Device1 to Device4).
class CCliSettings {
public:
    // Reads the file; missing files and keys leave the defaults.
    static CCliSettings Load();
    static std::string FilePath();

    unsigned PortNumber() const { return portNumber_; }
    void ApplyTo(CPortNames& names) const;

    // Reads from a given file (for tests).
    static CCliSettings LoadFrom(const std::string& path);
    // A string value as QSettings writes it into its INI file, decoded.
    static std::string DecodeValue(std::string_view text);

private:
    unsigned portNumber_ = 1;
    std::string devices_[4];
};

} // namespace kt
