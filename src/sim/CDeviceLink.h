#pragma once

#include <string>

namespace kt {

// A symbolic link to the device, for programs and tests that want a fixed
// name. A link left behind by an earlier run is replaced; anything else at
// that path is left alone. The link goes when the object dies, if it still
// points at the device.
class CDeviceLink {
public:
    CDeviceLink() = default;
    ~CDeviceLink() { Remove(); }
    CDeviceLink(const CDeviceLink&) = delete;
    CDeviceLink& operator=(const CDeviceLink&) = delete;

    bool Make(const std::string& linkPath, const std::string& target, std::string& error);
    void Remove();

private:
    std::string link_;
    std::string target_;
};

} // namespace kt
