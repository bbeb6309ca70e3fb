#pragma once

#include <thread>

namespace kt {

// Plays a sine tone on the default sound output through ALSA. The tone plays
// on a worker thread: Start returns at once.
class CTonePlayer {
public:
    CTonePlayer() = default;
    ~CTonePlayer();
    CTonePlayer(const CTonePlayer&) = delete;
    CTonePlayer& operator=(const CTonePlayer&) = delete;

    // Starts a tone of hz for ms milliseconds; false when there is no sound
    // output to play it on (no device, or the device is busy).
    bool Start(int hz, int ms);

private:
    void Finish();

    std::thread worker_;
};

} // namespace kt
