// sound/records: the sound settings and the numbers of the loaded sounds.
#pragma once

#include <array>

namespace kalveo {

/// Slots of the seven sound files, in loading order. Arrays indexed by slot
/// keep slot 0 unused so that numbers in the log match the slot numbers.
inline constexpr int kSoundSlots = 7;

struct BeepsRecord {
    /// Length of each loaded sound file (s); 0 when the file did not load.
    std::array<double, kSoundSlots + 1> sound_length{};
    /// Sound number handed out by load_sound for each slot; 0 when the file did not load.
    std::array<int, kSoundSlots + 1> sound_num{};
    /// Output device (setting "Sound device"): -1 the system default, n >= 1 the n-th listed
    /// device, 0 no sound (every sound loads and plays, silently).
    int snddev = -1;
};

extern BeepsRecord beeps;

} // namespace kalveo
