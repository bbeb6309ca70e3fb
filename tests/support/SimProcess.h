#pragma once

#include <string>
#include <vector>

namespace kt {

// The virtual transceiver running beside a test: started with the given
// options, its device path read from the first line it prints, and ended
// (SIGTERM, then waited for) when the object dies or Stop is called.
class SimProcess {
public:
    explicit SimProcess(const std::vector<std::string>& options);
    ~SimProcess();
    SimProcess(const SimProcess&) = delete;
    SimProcess& operator=(const SimProcess&) = delete;

    // The pseudo-terminal the program is to open; empty when the start failed.
    const std::string& Device() const { return device_; }
    // Ends the simulator and gives its exit status and what it wrote to stderr.
    int Stop();
    const std::string& Log() const { return log_; }

private:
    int pid_ = -1;
    int outFd_ = -1;
    int errFd_ = -1;
    std::string device_;
    std::string log_;
};

} // namespace kt
