#include "SerialDeviceList.h"

#include "ReadWholeFile.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <sys/stat.h>
#include <system_error>

namespace kt {

namespace fs = std::filesystem;

namespace {

// "ttyUSB10" after "ttyUSB9": by the length of the name, then the name.
bool ByNumber(const std::string& a, const std::string& b) {
    if (a.size() != b.size())
        return a.size() < b.size();
    return a < b;
}

std::vector<std::string> NodesStartingWith(const std::string& folder, const std::string& stem) {
    std::vector<std::string> names;
    std::error_code ec;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder, ec)) {
        const std::string name = entry.path().filename().string();
        if (name.size() > stem.size() && name.compare(0, stem.size(), stem) == 0 &&
            std::all_of(name.begin() + static_cast<std::ptrdiff_t>(stem.size()), name.end(),
                        [](char c) { return c >= '0' && c <= '9'; }))
            names.push_back(name);
    }
    std::sort(names.begin(), names.end(), ByNumber);
    return names;
}

// Whether a UART stands behind a ttyS name, without opening it: opening a
// serial port raises its modem lines. The kernel tells the UART's type in
// sysfs, 0 for none; without that entry a character device is taken as one.
bool HasUart(const std::string& path, const std::string& sysFolder) {
    struct stat node {};
    if (stat(path.c_str(), &node) != 0 || !S_ISCHR(node.st_mode))
        return false;
    const std::string name = fs::path(path).filename().string();
    std::string type;
    constexpr std::size_t kTypeBytes = 64;
    if (!ReadWholeFile(sysFolder + "/" + name + "/type", kTypeBytes, type).Ok())
        return true;
    return std::strtol(type.c_str(), nullptr, 10) != 0;
}

} // namespace

std::vector<SerialDevice> ListSerialDevices(const std::string& deviceFolder,
                                            const std::string& sysFolder) {
    std::vector<SerialDevice> devices;

    const std::string byId = deviceFolder + "/serial/by-id";
    std::vector<std::string> links;
    std::error_code ec;
    for (const fs::directory_entry& entry : fs::directory_iterator(byId, ec))
        links.push_back(entry.path().filename().string());
    std::sort(links.begin(), links.end());
    for (const std::string& link : links) {
        const fs::path path = fs::path(byId) / link;
        std::error_code targetError;
        const fs::path target = fs::canonical(path, targetError);
        devices.push_back({path.string(), targetError ? std::string() : target.string()});
    }

    for (const char* stem : {"ttyUSB", "ttyACM"})
        for (const std::string& name : NodesStartingWith(deviceFolder, stem))
            devices.push_back({deviceFolder + "/" + name, {}});
    for (const std::string& name : NodesStartingWith(deviceFolder, "ttyS")) {
        const std::string path = deviceFolder + "/" + name;
        if (HasUart(path, sysFolder))
            devices.push_back({path, {}});
    }
    return devices;
}

} // namespace kt
