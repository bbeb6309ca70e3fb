#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace kt {

using Bytes = std::vector<std::uint8_t>;

// The cloning cable and a transceiver that follows a script, on the master
// side of a pseudo-terminal, in a thread of its own. Like the cable it
// returns every byte the program sends (unless told not to); like the
// transceiver it answers each complete frame of the program whose command
// has a reply in the script, right after that frame's echo. It records the
// frames the program sent. Configure it before Start (or after Stop).
class ScriptedTransceiver {
public:
    enum class Echo { Normal, None, AlteredFirstPayloadByte };

    explicit ScriptedTransceiver(int masterFd) : master_(masterFd) {}
    ~ScriptedTransceiver() { Stop(); }
    ScriptedTransceiver(const ScriptedTransceiver&) = delete;
    ScriptedTransceiver& operator=(const ScriptedTransceiver&) = delete;

    void SetEcho(Echo echo) { echo_ = echo; }
    // After every program frame with this command, send these bytes.
    void ReplyTo(std::uint8_t command, Bytes bytes) { replies_[command] = std::move(bytes); }
    void ClearReplies() { replies_.clear(); }

    void Start();
    void Stop();

    // The program's frames received so far, whole (FE FE ... FD).
    std::vector<Bytes> Frames() const;
    // When the first of them had arrived completely.
    std::chrono::steady_clock::time_point FirstFrameTime() const;

    // Frames of the transceiver (addresses EF EE).
    static Bytes Frame(std::uint8_t command, const Bytes& payload);
    static Bytes IdentityAnswer(std::uint16_t model, std::uint16_t revision,
                                const std::string& text);
    // A data record as hexadecimal text with its checksum.
    static Bytes Record(unsigned address, const Bytes& data);
    static Bytes EndFrame();
    static Bytes WriteResult(std::uint8_t result);
    static Bytes Join(const std::vector<Bytes>& parts);

private:
    void Run();
    void Send(const Bytes& bytes);
    void OnFrame(const Bytes& frame);

    int master_;
    Echo echo_ = Echo::Normal;
    std::map<std::uint8_t, Bytes> replies_;
    std::thread thread_;
    std::atomic<bool> stop_{false};

    Bytes collecting_;
    bool inFrame_ = false;
    std::size_t received_ = 0;

    mutable std::mutex mutex_;
    std::vector<Bytes> frames_;
    std::chrono::steady_clock::time_point firstFrameTime_{};
};

} // namespace kt
