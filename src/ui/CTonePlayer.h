#pragma once

#include <thread>

// Plays a sine tone on the default sound output through the system's ALSA
// library, loaded at run time so that the program neither needs it to build
// nor to start. The tone plays on a worker thread: Start returns at once.
class CTonePlayer {
public:
    CTonePlayer() = default;
    ~CTonePlayer();
    CTonePlayer(const CTonePlayer&) = delete;
    CTonePlayer& operator=(const CTonePlayer&) = delete;

    // Starts a tone of hz for ms milliseconds; false when there is no sound
    // output to play it on (no library, no device, or the device is busy).
    bool Start(int hz, int ms);

private:
    void Finish();

    std::thread worker_;
};
