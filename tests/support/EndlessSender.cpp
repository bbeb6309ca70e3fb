#include "EndlessSender.h"

#include <poll.h>
#include <unistd.h>

namespace kt {

EndlessSender::EndlessSender(int master, std::vector<std::uint8_t> frame)
    : master_(master), frame_(std::move(frame)) {
    thread_ = std::thread([this] { Run(); });
}

EndlessSender::~EndlessSender() {
    stop_ = true;
    thread_.join();
}

void EndlessSender::Run() {
    constexpr int kPollMs = 20;
    std::size_t at = 0;
    std::uint8_t sink[256];
    while (!stop_) {
        pollfd wait{master_, POLLIN | POLLOUT, 0};
        if (poll(&wait, 1, kPollMs) <= 0)
            continue;
        if (wait.revents & POLLIN)
            (void)!read(master_, sink, sizeof sink);
        if (wait.revents & POLLOUT) {
            const ssize_t n = write(master_, frame_.data() + at, frame_.size() - at);
            if (n > 0)
                at = (at + static_cast<std::size_t>(n)) % frame_.size();
        }
    }
}

} // namespace kt
