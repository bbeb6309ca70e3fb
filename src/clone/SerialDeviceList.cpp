#include "SerialDeviceList.h"

#include "CFileDescriptor.h"

#include <algorithm>
#include <fcntl.h>
#include <filesystem>
#include <system_error>
#include <termios.h>

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

bool AnswersAsTerminal(const std::string& path) {
    const CFileDescriptor fd = CFileDescriptor::Open(path, O_RDWR | O_NOCTTY | O_NONBLOCK);
    termios line{};
    return fd.IsValid() && tcgetattr(fd.Get(), &line) == 0;
}

} // namespace

std::vector<SerialDevice> ListSerialDevices(const std::string& deviceFolder) {
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
        if (AnswersAsTerminal(path))
            devices.push_back({path, {}});
    }
    return devices;
}
