#include "CPortNames.h"

#include "TextFields.h"

#include <filesystem>
#include <system_error>
#include <utility>

namespace kt {

CPortNames::CPortNames(std::string deviceFolder) : deviceFolder_(std::move(deviceFolder)) {}

void CPortNames::SetDevice(unsigned number, std::string path) {
    if (number >= 1 && number <= kPortCount)
        devices_[number - 1] = std::move(path);
}

std::string CPortNames::Device(unsigned number) const {
    if (number >= 1 && number <= kPortCount)
        return devices_[number - 1];
    return {};
}

unsigned CPortNames::PortNumberOf(std::string_view name) {
    if (!name.empty() && name.back() == ':')
        name.remove_suffix(1);
    for (unsigned n = 1; n <= kPortCount; ++n)
        if (EqualsNoCase(name, "COM" + std::to_string(n)))
            return n;
    return 0;
}

std::vector<std::string> CPortNames::Candidates(unsigned number) const {
    if (number < 1 || number > kPortCount)
        return {};
    const std::string index = std::to_string(number - 1);
    std::vector<std::string> paths;
    for (const char* stem : {"ttyUSB", "ttyACM", "ttyS"})
        paths.push_back(deviceFolder_ + "/" + stem + index);
    return paths;
}

std::string CPortNames::DeviceOf(unsigned number) const {
    std::string configured = Device(number);
    if (!configured.empty())
        return configured;
    const std::vector<std::string> candidates = Candidates(number);
    for (const std::string& path : candidates) {
        std::error_code ec;
        if (std::filesystem::exists(path, ec))
            return path;
    }
    return candidates.empty() ? std::string() : candidates.front();
}

std::string CPortNames::Resolve(std::string_view name) const {
    const unsigned number = PortNumberOf(name);
    if (number != 0)
        return DeviceOf(number);
    return std::string(name);
}

} // namespace kt
