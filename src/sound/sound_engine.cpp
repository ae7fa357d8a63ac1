#include "platform/paths.h"
#include "report/log.h"
#include "sound/sound.h"
#include "sound/sound_module.h"
#include "text/text_format.h"

#include <SDL.h>
#include <SDL_mixer.h>
#include <algorithm>
#include <cmath>

namespace kalveo {

using namespace sound_detail;

namespace {

// Frames per mixing buffer: 11.6 ms at 44100 Hz, short enough for an alarm.
constexpr int kBufferFrames = 512;

int fail_init(const char* reason) {
    log_verbatim(format_text("Can't initialize sound device : %s", reason));
    return 0;
}

// Opens the chosen device; false after logging when it cannot be opened.
bool open_device(int device) {
    const auto name = device == kNoSoundDevice ? std::nullopt : device_name(device);
    if (name && name->empty()) {
        fail_init(format_text("no sound device %d", device).c_str());
        return false;
    }
    if (Mix_OpenAudioDevice(kSoundRate, AUDIO_S16SYS, 1, kBufferFrames,
                            name ? name->c_str() : nullptr, 0) != 0) {
        fail_init(Mix_GetError());
        return false;
    }
    if (device != kNoSoundDevice)
        log_verbatim("Sound device in use: " + (name ? *name : std::string("system default")));
    return true;
}

// Length of a loaded sound (s) at the format the device was opened with.
double length_seconds(const Mix_Chunk& chunk) {
    int rate = 0;
    int channels = 0;
    Uint16 format = 0;
    if (Mix_QuerySpec(&rate, &format, &channels) == 0) return 0.0;
    const int frame_bytes = SDL_AUDIO_BITSIZE(format) / 8 * channels;
    if (frame_bytes <= 0 || rate <= 0) return 0.0;
    return static_cast<double>(chunk.alen) / frame_bytes / rate;
}

} // namespace

SoundEngine::SoundEngine() = default;

SoundEngine::~SoundEngine() {
    close();
}

bool SoundEngine::is_loaded(int num) const {
    return initialized_ && num >= 0 && static_cast<std::size_t>(num) < samples_.size();
}

int SoundEngine::add(Mix_Chunk* chunk) {
    samples_.push_back(chunk);
    Mix_AllocateChannels(static_cast<int>(samples_.size()));
    return static_cast<int>(samples_.size()) - 1;
}

int SoundEngine::init(int device) {
    if (initialized_) return 1;
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) == 0) {
        log_devices();
        // The list comes from the real driver; "no sound" runs on the silent one.
        if (device == kNoSoundDevice) SDL_QuitSubSystem(SDL_INIT_AUDIO);
    } else if (device == kNoSoundDevice) {
        log_verbatim(format_text("Sound devices not listed : %s", SDL_GetError()));
    } else {
        return fail_init(SDL_GetError());
    }
    if (device == kNoSoundDevice && !start_silent_audio()) return fail_init(SDL_GetError());
    if (!open_device(device)) {
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return 0;
    }
    // The mixer's output reaches the watch from the device's opening on.
    Mix_SetPostMix(on_mixed, this);
    initialized_ = true;
    return 1;
}

int SoundEngine::load(std::string_view file, int& num, double& samlen) {
    if (!initialized_) {
        log_message("Sound device not initialized");
        return 0;
    }
    const std::string path = native_path(file).string();
    Mix_Chunk* chunk = Mix_LoadWAV(path.c_str());
    if (chunk == nullptr) {
        log_verbatim(
            format_text("Can't load sound %s : %s", std::string(file).c_str(), Mix_GetError()));
        return 0;
    }
    num = add(chunk);
    samlen = length_seconds(*chunk);
    return 1;
}

int SoundEngine::play(int num, double vol) {
    if (!is_loaded(num)) return 0;
    const double volume = std::isnan(vol) ? 0.0 : std::clamp(vol, 0.0, 1.0);
    // Playing on the sound's own busy channel restarts it in one step, with
    // no gap in between.
    Mix_Volume(num, static_cast<int>(std::lround(volume * MIX_MAX_VOLUME)));
    if (Mix_PlayChannel(num, samples_[static_cast<std::size_t>(num)], 0) < 0) {
        log_verbatim(format_text("Can't play sample # %d %s", num, Mix_GetError()));
        return 0;
    }
    return 1;
}

bool SoundEngine::playing(int num) const {
    return is_loaded(num) && Mix_Playing(num) != 0;
}

void SoundEngine::close() {
    if (!initialized_) return;
    Mix_HaltChannel(-1);
    // The mixer keeps its output hook across devices: a later engine's device must not call
    // this one.
    Mix_SetPostMix(nullptr, nullptr);
    Mix_CloseAudio();
    for (Mix_Chunk* chunk : samples_)
        Mix_FreeChunk(chunk);
    samples_.clear();
    tones_.clear();
    Mix_Quit();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    initialized_ = false;
}

} // namespace kalveo
