#include "PortsCommand.h"

#include "CCliSettings.h"
#include "CPortLock.h"
#include "CPortNames.h"
#include "SerialDeviceList.h"
#include "TerminalText.h"

#include <ostream>
#include <sys/stat.h>

namespace kt {

namespace {
bool Exists(const std::string& path) {
    struct stat st {};
    return stat(path.c_str(), &st) == 0;
}

// "  (in use by another program: minicom (process 4242))" for a port another
// program has locked; nothing for a free one. No device is opened for it.
std::string InUseMark(const CPortLock& locks, const std::string& device) {
    const auto holder = locks.FindHolder(device);
    return holder ? "  (" + CPortLock::InUseReason(holder) + ")" : std::string();
}
} // namespace

int RunPorts(const CommandLine::Parsed&, std::ostream& out, std::ostream&) {
    const auto devices = ListSerialDevices();
    const CPortLock locks;
    out << "Serial devices:\n";
    if (devices.empty())
        out << "  (none found: plug in the cloning cable)\n";
    // Device names come from the system and the settings file: nothing in
    // them may act on the terminal.
    for (const SerialDevice& d : devices) {
        out << "  " << TerminalSafe(d.path);
        if (!d.target.empty())
            out << " -> " << TerminalSafe(d.target);
        out << InUseMark(locks, d.path) << "\n";
    }

    const CCliSettings settings = CCliSettings::Load();
    CPortNames names;
    settings.ApplyTo(names);
    out << "\nPorts (settings: " << TerminalSafe(CCliSettings::FilePath()) << "):\n";
    for (unsigned n = 1; n <= CPortNames::kPortCount; ++n) {
        const std::string device = names.DeviceOf(n);
        out << "  COM" << n << "  " << TerminalSafe(device);
        if (!names.Device(n).empty())
            out << "  (set in the settings)";
        if (!Exists(device))
            out << "  (not present)";
        else
            out << InUseMark(locks, device);
        if (n == settings.PortNumber())
            out << "  <- used without --port";
        out << "\n";
    }
    return 0;
}

} // namespace kt
