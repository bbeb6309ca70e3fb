#include "CDeviceWatch.h"

#include <cstring>
#include <sys/inotify.h>
#include <unistd.h>

namespace kt {

bool CDeviceWatch::Start(const std::string& path) {
    CFileDescriptor fd(::inotify_init1(IN_NONBLOCK | IN_CLOEXEC));
    if (!fd.IsValid())
        return false;
    if (::inotify_add_watch(fd.Get(), path.c_str(), IN_OPEN | IN_CLOSE) < 0)
        return false;
    fd_ = std::move(fd);
    openers_ = 0;
    return true;
}

CDeviceWatch::Change CDeviceWatch::Drain() {
    Change change;
    if (!fd_.IsValid())
        return change;
    alignas(inotify_event) char buffer[4096];
    for (;;) {
        const ssize_t n = ::read(fd_.Get(), buffer, sizeof buffer);
        if (n <= 0)
            break;
        for (ssize_t offset = 0; offset < n;) {
            inotify_event event{};
            std::memcpy(&event, buffer + offset, sizeof event);
            // In order: a close and a new open may come in one batch.
            if (event.mask & IN_OPEN) {
                ++change.opened;
                ++openers_;
            }
            if (event.mask & IN_CLOSE) {
                ++change.closed;
                if (openers_ > 0 && --openers_ == 0)
                    change.letGo = true;
            }
            offset += static_cast<ssize_t>(sizeof(inotify_event) + event.len);
        }
    }
    return change;
}

} // namespace kt
