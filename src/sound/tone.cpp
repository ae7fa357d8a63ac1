// The generated sine tone (the beep of polar mode), played like a loaded sound on a mixer
// channel of its own.
#include "sound/sound.h"
#include "sound/sound_module.h"

#include <SDL.h>
#include <SDL_mixer.h>
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numbers>
#include <vector>

namespace kalveo {

namespace {

// Fade in and out over this many ms so that the tone starts and ends without a click.
constexpr int kFadeMs = 5;
constexpr double kAmplitude = 0.8 * 32767.0;

void put16(std::vector<std::uint8_t>& out, unsigned value) {
    out.push_back(static_cast<std::uint8_t>(value & 0xFFU));
    out.push_back(static_cast<std::uint8_t>((value >> 8) & 0xFFU));
}

void put32(std::vector<std::uint8_t>& out, std::uint32_t value) {
    put16(out, value & 0xFFFFU);
    put16(out, value >> 16);
}

void put_text(std::vector<std::uint8_t>& out, const char* text) {
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<std::uint8_t>(text[i]));
}

// A mono 16-bit WAV file of the tone, so that the mixer converts it like any sound file.
std::vector<std::uint8_t> tone_wav(int freq, int dur_ms) {
    const int frames = kSoundRate * dur_ms / 1000;
    const int fade = kSoundRate * kFadeMs / 1000;
    const auto data_bytes = static_cast<std::uint32_t>(frames * 2);
    std::vector<std::uint8_t> wav;
    put_text(wav, "RIFF");
    put32(wav, 36 + data_bytes);
    put_text(wav, "WAVE");
    put_text(wav, "fmt ");
    put32(wav, 16);
    put16(wav, 1); // PCM
    put16(wav, 1); // mono
    put32(wav, kSoundRate);
    put32(wav, kSoundRate * 2);
    put16(wav, 2);
    put16(wav, 16);
    put_text(wav, "data");
    put32(wav, data_bytes);
    for (int i = 0; i < frames; ++i) {
        const double envelope = std::min(
            {1.0, static_cast<double>(i) / fade, static_cast<double>(frames - 1 - i) / fade});
        const double phase = 2.0 * std::numbers::pi * freq * i / kSoundRate;
        const auto sample =
            static_cast<std::int16_t>(std::lround(kAmplitude * envelope * std::sin(phase)));
        put16(wav, static_cast<std::uint16_t>(sample));
    }
    return wav;
}

} // namespace

bool SoundEngine::still_loaded(const Tone& tone) const {
    return tone.num >= 0 && static_cast<std::size_t>(tone.num) < samples_.size() &&
           samples_[static_cast<std::size_t>(tone.num)] == tone.chunk;
}

int SoundEngine::tone_number(int freq, int dur_ms) {
    for (const Tone& tone : tones_)
        if (tone.freq == freq && tone.dur_ms == dur_ms && still_loaded(tone)) return tone.num;
    const std::vector<std::uint8_t> wav = tone_wav(freq, dur_ms);
    SDL_RWops* rw = SDL_RWFromConstMem(wav.data(), static_cast<int>(wav.size()));
    Mix_Chunk* chunk = rw != nullptr ? Mix_LoadWAV_RW(rw, 1) : nullptr;
    if (chunk == nullptr) return -1;
    const int num = add(chunk);
    std::erase_if(tones_, [this](const Tone& tone) { return !still_loaded(tone); });
    tones_.push_back({freq, dur_ms, num, chunk});
    return num;
}

int SoundEngine::play_tone(int freq, int dur_ms, double vol) {
    if (!initialized_ || freq < 20 || freq > 20000 || dur_ms < 1 || dur_ms > 5000) return 0;
    const int num = tone_number(freq, dur_ms);
    return num < 0 ? 0 : play(num, vol);
}

} // namespace kalveo
