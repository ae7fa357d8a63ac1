// sound/sound: the sound engine: one output device, the loaded sound files and
// their playback at a chosen volume.
//
// Each sound has a mixer channel of its own, so playing a sound again restarts
// it instead of mixing a second copy, while different sounds may overlap. A
// failed start-up leaves the engine silent: loading and playing then do nothing
// and return 0.
#pragma once

#include "sound/records.h"

#include <array>
#include <cstdint>
#include <functional>
#include <mutex>
#include <span>
#include <string_view>
#include <vector>

struct Mix_Chunk;

namespace kalveo {

/// Output sample rate (Hz); the device is opened mono.
inline constexpr int kSoundRate = 44100;

/// The sound files, by slot (slot 0 unused), named relative to the program folder.
inline constexpr std::array<std::string_view, kSoundSlots + 1> kSoundFiles = {
    "",
    "Sounds\\VNE_0.wav",
    "Sounds\\VNE_1.wav",
    "Sounds\\VNE_2.wav",
    "Sounds\\VNE_3.wav",
    "Sounds\\Flaps_Up.wav",
    "Sounds\\Flaps_Dn.wav",
    "Sounds\\Landing.wav"};

/// The "Sound device" setting that turns sound off.
inline constexpr int kNoSoundDevice = 0;

/// Every mixed buffer as it leaves the mixer: signed 16-bit mono samples. Called on the
/// audio thread, so it must only take note.
using MixedBufferWatch = std::function<void(std::span<const std::int16_t> samples)>;

/// The sound engine: one output device, the loaded sounds and tones. Sounds are numbered
/// 0, 1, 2 ... in loading order, each on a mixer channel of its own. The mixer behind it is one
/// for the process: one engine is open at a time.
class SoundEngine {
  public:
    SoundEngine();
    ~SoundEngine();
    SoundEngine(const SoundEngine&) = delete;
    SoundEngine& operator=(const SoundEngine&) = delete;

    /// Opens output device `device` (-1 the system default, n >= 1 the n-th device of the
    /// list, 0 no sound: an engine that loads and plays every sound silently) and lists the
    /// available devices in the log. Returns 1, or 0 after logging why the device could not
    /// be opened.
    int init(int device);

    /// Loads a WAV file (backslash or native name). On success `num` receives its sound
    /// number and `samlen` its length (s); returns 1. Returns 0 after logging the reason
    /// otherwise, leaving `num` and `samlen` alone.
    int load(std::string_view file, int& num, double& samlen);

    /// Plays sound `num` from its start at volume `vol` (0 to 1, linear; values outside are
    /// limited), restarting it when it is playing already. Returns 1, or 0 when the engine is
    /// not running, `num` names no sound or playing failed.
    int play(int num, double vol);

    /// True while sound `num` is playing.
    [[nodiscard]] bool playing(int num) const;

    /// Loads the seven files of kSoundFiles into the slots (files()), logging one line per
    /// loaded file. A file that fails keeps number 0 and length 0 in its slot. Returns the
    /// number of files loaded.
    int load_files();

    /// The numbers and lengths of the sound files load_files loaded, by slot.
    [[nodiscard]] const SoundSlots& files() const { return files_; }

    /// Plays a tone of `freq` Hz (20..20000) for `dur_ms` ms (1..5000) at volume `vol`
    /// (0..1). The tone is made once per frequency and length and kept with the loaded sounds.
    /// Returns 1, or 0 when the engine is not running or the values are out of range.
    int play_tone(int freq, int dur_ms, double vol);

    /// Stops every sound, frees them and closes the device. Sound numbers start again from 0
    /// after the next init.
    void close();

    /// Hands every mixed buffer to `watch` (an empty function removes it), from now on or from
    /// the device's opening; it survives close.
    void watch_mixed_buffers(MixedBufferWatch watch);

  private:
    struct Tone;
    [[nodiscard]] bool is_loaded(int num) const;
    [[nodiscard]] bool still_loaded(const Tone& tone) const;
    int tone_number(int freq, int dur_ms);
    int add(Mix_Chunk* chunk);
    static void on_mixed(void* engine, std::uint8_t* stream, int len);

    std::mutex watch_lock_; ///< the watch is called on the audio thread
    MixedBufferWatch watch_;
    bool initialized_ = false;        ///< device open
    std::vector<Mix_Chunk*> samples_; ///< loaded sounds; index = sound number = mixer channel
    std::vector<Tone> tones_;         ///< tones made so far
    SoundSlots files_;
};

} // namespace kalveo
