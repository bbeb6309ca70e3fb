#include "CCliSettings.h"

#include "CPortNames.h"
#include "ReadWholeFile.h"
#include "TextFields.h"

#include <cstdlib>
#include <sstream>

namespace {
// The desktop program's settings are a few hundred bytes.
constexpr std::size_t kMaxSettingsBytes = 1024 * 1024;
} // namespace

std::string CCliSettings::FilePath() {
    const char* xdg = std::getenv("XDG_CONFIG_HOME");
    std::string folder;
    if (xdg && *xdg)
        folder = xdg;
    else if (const char* home = std::getenv("HOME"))
        folder = std::string(home) + "/.config";
    else
        return {};
    return folder + "/Velk/KT-M220.ini";
}

CCliSettings CCliSettings::Load() {
    return LoadFrom(FilePath());
}

CCliSettings CCliSettings::LoadFrom(const std::string& path) {
    CCliSettings settings;
    // Read without blocking: a FIFO or device in the file's place is not
    // waited for, and the settings then stay at their defaults.
    std::string text;
    if (!ReadWholeFile(path, kMaxSettingsBytes, text).Ok())
        return settings;
    std::istringstream in(text);
    std::string line, section;
    while (std::getline(in, line)) {
        line = Trim(line);
        if (line.empty() || line[0] == ';' || line[0] == '#')
            continue;
        if (line.front() == '[' && line.back() == ']') {
            section = line.substr(1, line.size() - 2);
            continue;
        }
        if (section != "CommPort")
            continue;
        const std::string key = Trim(Field(line, '=', 0));
        std::string value = Trim(Remainder(line, '=', 1));
        if (value.size() >= 2 && value.front() == '"' && value.back() == '"')
            value = value.substr(1, value.size() - 2);
        if (key == "PortNumber") {
            const long n = LeadingDigits(value);
            if (n >= 1 && n <= 4)
                settings.portNumber_ = static_cast<unsigned>(n);
        } else if (key.size() == 7 && key.rfind("Device", 0) == 0 && key[6] >= '1' &&
                   key[6] <= '4') {
            settings.devices_[key[6] - '1'] = value;
        }
    }
    return settings;
}

void CCliSettings::ApplyTo(CPortNames& names) const {
    for (unsigned i = 0; i < 4; ++i)
        if (!devices_[i].empty())
            names.SetDevice(i + 1, devices_[i]);
}
