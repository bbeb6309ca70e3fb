#include "ScriptedTransceiver.h"

#include <cerrno>
#include <cstdio>
#include <poll.h>
#include <unistd.h>

namespace kt {

namespace {
constexpr std::uint8_t kPreamble = 0xFE;
constexpr std::uint8_t kEnd = 0xFD;
constexpr int kPollMs = 10;
// Index in the stream of the first payload byte of the program's first frame.
constexpr std::size_t kFirstPayloadIndex = 5;
} // namespace

void ScriptedTransceiver::Start() {
    stop_ = false;
    thread_ = std::thread([this] { Run(); });
}

void ScriptedTransceiver::Stop() {
    stop_ = true;
    if (thread_.joinable())
        thread_.join();
}

std::vector<Bytes> ScriptedTransceiver::Frames() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return frames_;
}

std::chrono::steady_clock::time_point ScriptedTransceiver::FirstFrameTime() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return firstFrameTime_;
}

void ScriptedTransceiver::Run() {
    std::uint8_t chunk[512];
    while (!stop_) {
        pollfd wait{master_, POLLIN, 0};
        if (poll(&wait, 1, kPollMs) <= 0 || (wait.revents & POLLIN) == 0)
            continue;
        const ssize_t n = read(master_, chunk, sizeof chunk);
        if (n <= 0)
            continue;
        Bytes echo(chunk, chunk + n);
        std::vector<Bytes> completed;
        for (ssize_t i = 0; i < n; ++i) {
            const std::uint8_t b = chunk[i];
            if (echo_ == Echo::AlteredFirstPayloadByte && received_ == kFirstPayloadIndex)
                echo[static_cast<std::size_t>(i)] ^= 0x01;
            ++received_;
            if (b == kPreamble) {
                if (!inFrame_ || collecting_.size() > 1)
                    collecting_.clear();
                inFrame_ = true;
                collecting_.push_back(b);
            } else if (inFrame_) {
                collecting_.push_back(b);
                if (b == kEnd) {
                    completed.push_back(collecting_);
                    collecting_.clear();
                    inFrame_ = false;
                }
            }
        }
        if (echo_ != Echo::None)
            Send(echo);
        for (const Bytes& frame : completed)
            OnFrame(frame);
    }
}

void ScriptedTransceiver::OnFrame(const Bytes& frame) {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        if (frames_.empty())
            firstFrameTime_ = std::chrono::steady_clock::now();
        frames_.push_back(frame);
    }
    if (frame.size() < 6)
        return;
    const auto reply = replies_.find(frame[4]);
    if (reply != replies_.end())
        Send(reply->second);
}

void ScriptedTransceiver::Send(const Bytes& bytes) {
    std::size_t done = 0;
    while (done < bytes.size() && !stop_) {
        const ssize_t n = write(master_, bytes.data() + done, bytes.size() - done);
        if (n > 0) {
            done += static_cast<std::size_t>(n);
            continue;
        }
        if (n < 0 && errno != EAGAIN && errno != EINTR)
            return;
        pollfd wait{master_, POLLOUT, 0};
        poll(&wait, 1, kPollMs);
    }
}

Bytes ScriptedTransceiver::Frame(std::uint8_t command, const Bytes& payload) {
    Bytes frame{kPreamble, kPreamble, 0xEF, 0xEE, command};
    frame.insert(frame.end(), payload.begin(), payload.end());
    frame.push_back(kEnd);
    return frame;
}

Bytes ScriptedTransceiver::IdentityAnswer(std::uint16_t model, std::uint16_t revision,
                                          const std::string& text) {
    Bytes payload{static_cast<std::uint8_t>(model >> 8), static_cast<std::uint8_t>(model),
                  static_cast<std::uint8_t>(revision >> 8), static_cast<std::uint8_t>(revision)};
    payload.insert(payload.end(), text.begin(), text.end());
    return Frame(0xE1, payload);
}

Bytes ScriptedTransceiver::Record(unsigned address, const Bytes& data) {
    Bytes decoded{static_cast<std::uint8_t>(address >> 8), static_cast<std::uint8_t>(address),
                  static_cast<std::uint8_t>(data.size())};
    decoded.insert(decoded.end(), data.begin(), data.end());
    unsigned sum = 0;
    for (std::uint8_t b : decoded)
        sum += b;
    decoded.push_back(static_cast<std::uint8_t>(-sum));
    Bytes text;
    for (std::uint8_t b : decoded) {
        char pair[3];
        std::snprintf(pair, sizeof pair, "%02X", b);
        text.push_back(static_cast<std::uint8_t>(pair[0]));
        text.push_back(static_cast<std::uint8_t>(pair[1]));
    }
    return Frame(0xE4, text);
}

Bytes ScriptedTransceiver::EndFrame() {
    const std::string text = "Velk Inc.";
    return Frame(0xE5, Bytes(text.begin(), text.end()));
}

Bytes ScriptedTransceiver::WriteResult(std::uint8_t result) {
    return Frame(0xE6, {result});
}

Bytes ScriptedTransceiver::Join(const std::vector<Bytes>& parts) {
    Bytes all;
    for (const Bytes& part : parts)
        all.insert(all.end(), part.begin(), part.end());
    return all;
}

} // namespace kt
