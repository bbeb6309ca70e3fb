#include "CTonePlayer.h"

#include <alsa/asoundlib.h>

#include <algorithm>
#include <cmath>
#include <cstdarg>
#include <cstdint>
#include <numbers>
#include <vector>

namespace kt {

namespace {
constexpr unsigned kRate = 48000;      // samples a second
constexpr unsigned kLatencyUs = 50000; // the device's buffer, in microseconds
constexpr double kAmplitude = 0.25 * 32767;
constexpr unsigned kFadeSamples = kRate / 200; // 5 ms in and out, against clicks

// The library's own messages would go to standard error; a missing sound
// device is not worth telling about.
void Silent(const char*, int, const char*, int, const char*, ...) {}

// Once for the whole run, before the first device is opened.
void SilenceLibrary() {
    static const bool silenced = [] {
        snd_lib_error_set_handler(&Silent);
        return true;
    }();
    (void)silenced;
}

std::vector<std::int16_t> SineSamples(int hz, int ms) {
    const auto count = static_cast<std::size_t>(kRate) * static_cast<std::size_t>(ms) / 1000;
    std::vector<std::int16_t> samples(count);
    for (std::size_t i = 0; i < count; ++i) {
        const std::size_t edge = std::min(i, count - 1 - i);
        const double fade = std::min(1.0, static_cast<double>(edge) / kFadeSamples);
        const double phase = 2 * std::numbers::pi * hz * static_cast<double>(i) / kRate;
        samples[i] = static_cast<std::int16_t>(kAmplitude * fade * std::sin(phase));
    }
    return samples;
}

void Play(snd_pcm_t* pcm, std::vector<std::int16_t> samples) {
    std::size_t done = 0;
    while (done < samples.size()) {
        const snd_pcm_sframes_t written =
            snd_pcm_writei(pcm, samples.data() + done, samples.size() - done);
        if (written < 0) {
            if (snd_pcm_recover(pcm, static_cast<int>(written), 1) < 0)
                break;
            continue;
        }
        done += static_cast<std::size_t>(written);
    }
    snd_pcm_drain(pcm);
    snd_pcm_close(pcm);
}
} // namespace

CTonePlayer::~CTonePlayer() {
    Finish();
}

void CTonePlayer::Finish() {
    if (worker_.joinable())
        worker_.join();
}

bool CTonePlayer::Start(int hz, int ms) {
    Finish();
    if (hz <= 0 || ms <= 0)
        return false;
    SilenceLibrary();
    snd_pcm_t* pcm = nullptr;
    // Opened without waiting, so that a busy device is refused at once.
    if (snd_pcm_open(&pcm, "default", SND_PCM_STREAM_PLAYBACK, SND_PCM_NONBLOCK) < 0)
        return false;
    if (snd_pcm_set_params(pcm, SND_PCM_FORMAT_S16_LE, SND_PCM_ACCESS_RW_INTERLEAVED, 1, kRate, 1,
                           kLatencyUs) < 0 ||
        snd_pcm_nonblock(pcm, 0) < 0) {
        snd_pcm_close(pcm);
        return false;
    }
    worker_ = std::thread(Play, pcm, SineSamples(hz, ms));
    return true;
}

} // namespace kt
