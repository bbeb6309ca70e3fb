#pragma once

#include <atomic>
#include <cstdint>
#include <thread>
#include <vector>

namespace kt {

// A device that never stops sending the same well-formed frame on the master
// side of a pseudo-terminal, in a thread of its own, and takes whatever the
// program sends without echoing it.
class EndlessSender {
public:
    EndlessSender(int master, std::vector<std::uint8_t> frame);
    ~EndlessSender();
    EndlessSender(const EndlessSender&) = delete;
    EndlessSender& operator=(const EndlessSender&) = delete;

    // A frame no exchange takes: it only restarts an exchange's time-out.
    static std::vector<std::uint8_t> IgnoredFrame() { return {0xFE, 0xFE, 0x00, 0x00, 0xE9, 0xFD}; }

private:
    void Run();

    int master_;
    std::vector<std::uint8_t> frame_;
    std::atomic<bool> stop_{false};
    std::thread thread_;
};

} // namespace kt
