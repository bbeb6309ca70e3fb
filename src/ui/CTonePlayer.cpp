#include "CTonePlayer.h"

#include <dlfcn.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numbers>
#include <vector>

namespace {
// The few ALSA entry points a tone needs, with the library's stable values.
struct snd_pcm_t;
constexpr int kStreamPlayback = 0;     // SND_PCM_STREAM_PLAYBACK
constexpr int kModeNonBlocking = 1;    // SND_PCM_NONBLOCK
constexpr int kFormatS16LittleEnd = 2; // SND_PCM_FORMAT_S16_LE
constexpr int kAccessInterleaved = 3;  // SND_PCM_ACCESS_RW_INTERLEAVED
constexpr unsigned kRate = 48000;      // samples a second
constexpr unsigned kLatencyUs = 50000; // the device's buffer, in microseconds
constexpr double kAmplitude = 0.25 * 32767;
constexpr unsigned kFadeSamples = kRate / 200; // 5 ms in and out, against clicks

extern "C" {
using OpenFn = int (*)(snd_pcm_t**, const char*, int, int);
using SetParamsFn = int (*)(snd_pcm_t*, int, int, unsigned, unsigned, int, unsigned);
using NonBlockFn = int (*)(snd_pcm_t*, int);
using WriteFn = long (*)(snd_pcm_t*, const void*, unsigned long);
using RecoverFn = int (*)(snd_pcm_t*, int, int);
using PcmFn = int (*)(snd_pcm_t*);
using ErrorHandler = void (*)(const char*, int, const char*, int, const char*, ...);
using SetErrorHandlerFn = int (*)(ErrorHandler);

// The library's own messages would go to standard error; a missing sound
// device is not worth telling about.
void Silent(const char*, int, const char*, int, const char*, ...) {}
}

struct Alsa {
    OpenFn open = nullptr;
    SetParamsFn setParams = nullptr;
    NonBlockFn nonBlock = nullptr;
    WriteFn write = nullptr;
    RecoverFn recover = nullptr;
    PcmFn drain = nullptr;
    PcmFn close = nullptr;

    bool Loaded() const {
        return open && setParams && nonBlock && write && recover && drain && close;
    }
};

template <typename Fn> Fn Symbol(void* library, const char* name) {
    return reinterpret_cast<Fn>(dlsym(library, name));
}

// Loaded once for the whole run and never unloaded.
const Alsa& Library() {
    static const Alsa alsa = [] {
        Alsa loaded;
        void* library = dlopen("libasound.so.2", RTLD_NOW | RTLD_LOCAL);
        if (library == nullptr)
            return loaded;
        if (auto setHandler = Symbol<SetErrorHandlerFn>(library, "snd_lib_error_set_handler"))
            setHandler(&Silent);
        loaded.open = Symbol<OpenFn>(library, "snd_pcm_open");
        loaded.setParams = Symbol<SetParamsFn>(library, "snd_pcm_set_params");
        loaded.nonBlock = Symbol<NonBlockFn>(library, "snd_pcm_nonblock");
        loaded.write = Symbol<WriteFn>(library, "snd_pcm_writei");
        loaded.recover = Symbol<RecoverFn>(library, "snd_pcm_recover");
        loaded.drain = Symbol<PcmFn>(library, "snd_pcm_drain");
        loaded.close = Symbol<PcmFn>(library, "snd_pcm_close");
        return loaded;
    }();
    return alsa;
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

void Play(const Alsa& alsa, snd_pcm_t* pcm, std::vector<std::int16_t> samples) {
    std::size_t done = 0;
    while (done < samples.size()) {
        const long written = alsa.write(pcm, samples.data() + done, samples.size() - done);
        if (written < 0) {
            if (alsa.recover(pcm, static_cast<int>(written), 1) < 0)
                break;
            continue;
        }
        done += static_cast<std::size_t>(written);
    }
    alsa.drain(pcm);
    alsa.close(pcm);
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
    const Alsa& alsa = Library();
    if (!alsa.Loaded() || hz <= 0 || ms <= 0)
        return false;
    snd_pcm_t* pcm = nullptr;
    // Opened without waiting, so that a busy device is refused at once.
    if (alsa.open(&pcm, "default", kStreamPlayback, kModeNonBlocking) < 0)
        return false;
    if (alsa.setParams(pcm, kFormatS16LittleEnd, kAccessInterleaved, 1, kRate, 1, kLatencyUs) < 0 ||
        alsa.nonBlock(pcm, 0) < 0) {
        alsa.close(pcm);
        return false;
    }
    worker_ = std::thread(Play, std::cref(alsa), pcm, SineSamples(hz, ms));
    return true;
}
