// sound/records: the sound settings and the numbers of the loaded sounds.
#pragma once

#include <array>

namespace kalveo {

/// Slots of the seven sound files, in loading order. Arrays indexed by slot
/// keep slot 0 unused so that numbers in the log match the slot numbers.
inline constexpr int kSoundSlots = 7;

/// The loaded sound files, by slot.
struct SoundSlots {
    /// Length of each loaded sound file (s); 0 when the file did not load.
    std::array<double, kSoundSlots + 1> sound_length{};
    /// Sound number handed out for each slot; 0 when the file did not load.
    std::array<int, kSoundSlots + 1> sound_num{};
};

} // namespace kalveo
