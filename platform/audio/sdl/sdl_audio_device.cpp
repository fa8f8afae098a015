#include "platform/audio/sdl/sdl_audio_device.h"

#include <dlfcn.h>

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace platform {
namespace {

constexpr int kWantedRate = 48000;
constexpr Uint8 kWantedChannels = 2;
constexpr Uint16 kWantedFrames = 1024;
constexpr const char* kAlsaLibrary = "libasound.so.2";

bool noDeviceSaid = false;

void ignoreAlsaError(const char*, int, const char*, int, const char*, ...) {}

// ALSA's library prints every failed probe of a card on standard error;
// whether a device opened is said once, by open(). The library stays loaded
// so that SDL's load of it shares the handler.
void quietAlsa() {
    const char* driver = SDL_getenv("SDL_AUDIODRIVER");
    if (driver && SDL_strcasecmp(driver, "alsa") != 0) return;
    using Handler = void (*)(const char*, int, const char*, int, const char*, ...);
    void* alsa = dlopen(kAlsaLibrary, RTLD_LAZY | RTLD_LOCAL);
    if (!alsa) return;
    if (auto setHandler = reinterpret_cast<int (*)(Handler)>(dlsym(alsa, "snd_lib_error_set_handler"))) {
        setHandler(ignoreAlsaError);
    }
}

}  // namespace

std::unique_ptr<AudioEngine> openAudioDevice() { return SdlAudioDevice::open(); }

std::unique_ptr<SdlAudioDevice> SdlAudioDevice::open() {
    quietAlsa();
    std::unique_ptr<SdlAudioDevice> device(new SdlAudioDevice);
    if (device->start()) return device;
    if (!noDeviceSaid) std::fprintf(stderr, "%s (%s)\n", kNoSoundDeviceMessage, SDL_GetError());
    noDeviceSaid = true;
    return nullptr;
}

bool SdlAudioDevice::start() {
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return false;
    audioStarted_ = true;
    SDL_AudioSpec wanted{};
    wanted.freq = kWantedRate;
    wanted.format = AUDIO_F32SYS;
    wanted.channels = kWantedChannels;
    wanted.samples = kWantedFrames;
    wanted.callback = &SdlAudioDevice::callback;
    wanted.userdata = this;
    // The device opens paused, so the callback can't run before the mixer exists.
    device_ = SDL_OpenAudioDevice(nullptr, 0, &wanted, &spec_, SDL_AUDIO_ALLOW_ANY_CHANGE);
    if (device_ == 0 || spec_.freq <= 0 || spec_.channels == 0) return false;
    const int built = SDL_BuildAudioCVT(&convert_, AUDIO_F32SYS, spec_.channels, spec_.freq,
                                        spec_.format, spec_.channels, spec_.freq);
    if (built < 0) return false;
    converts_ = built == 1;
    mixer_ = std::make_unique<AudioMixer>(uint32_t(spec_.freq), spec_.channels);
    SDL_PauseAudioDevice(device_, 0);
    return true;
}

SdlAudioDevice::~SdlAudioDevice() {
    if (device_ != 0) SDL_CloseAudioDevice(device_);
    if (audioStarted_) SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

void SDLCALL SdlAudioDevice::callback(void* self, Uint8* stream, int length) {
    static_cast<SdlAudioDevice*>(self)->fill(stream, length);
}

void SdlAudioDevice::fill(Uint8* stream, int length) {
    const size_t frameBytes = size_t(SDL_AUDIO_BITSIZE(spec_.format) / 8) * spec_.channels;
    const size_t frames = size_t(length) / frameBytes;
    const size_t floatBytes = frames * spec_.channels * sizeof(float);
    scratch_.resize(floatBytes * size_t(converts_ ? convert_.len_mult : 1));
    mixer_->mix(reinterpret_cast<float*>(scratch_.data()), frames);
    size_t bytes = floatBytes;
    if (converts_) {
        convert_.buf = scratch_.data();
        convert_.len = int(floatBytes);
        SDL_ConvertAudio(&convert_);
        bytes = size_t(convert_.len_cvt);
    }
    std::memset(stream, 0, size_t(length));
    std::memcpy(stream, scratch_.data(), std::min(bytes, size_t(length)));
}

}  // namespace platform
