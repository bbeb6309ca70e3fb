#include "PortsCommand.h"

#include "CCliSettings.h"
#include "CPortNames.h"
#include "SerialDeviceList.h"

#include <ostream>
#include <sys/stat.h>

namespace {
bool Exists(const std::string& path) {
    struct stat st {};
    return stat(path.c_str(), &st) == 0;
}
} // namespace

int RunPorts(const CommandLine::Parsed&, std::ostream& out, std::ostream&) {
    const auto devices = ListSerialDevices();
    out << "Serial devices:\n";
    if (devices.empty())
        out << "  (none found: plug in the cloning cable)\n";
    for (const SerialDevice& d : devices) {
        out << "  " << d.path;
        if (!d.target.empty())
            out << " -> " << d.target;
        out << "\n";
    }

    const CCliSettings settings = CCliSettings::Load();
    CPortNames names;
    settings.ApplyTo(names);
    out << "\nPorts (settings: " << CCliSettings::FilePath() << "):\n";
    for (unsigned n = 1; n <= CPortNames::kPortCount; ++n) {
        const std::string device = names.DeviceOf(n);
        out << "  COM" << n << "  " << device;
        if (!names.Device(n).empty())
            out << "  (set in the settings)";
        if (!Exists(device))
            out << "  (not present)";
        if (n == settings.PortNumber())
            out << "  <- used without --port";
        out << "\n";
    }
    return 0;
}
