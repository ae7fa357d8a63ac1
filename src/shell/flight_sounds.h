// shell/flight_sounds: where the flight cycle's sound calls meet the sound files: each alarm
// level and flap call plays its slot's sound, and the log says what the pilot heard.
#pragma once

#include "flight/outputs.h"
#include "sound/sound.h"

namespace kalveo {

/// Plays the VNE alarm of `level` (0 to kAlarmLevels - 1) at volume 0..1, logged.
void play_alarm_sound(SoundEngine& sound, int level, double vol);

/// Plays flap call `call` at volume 0..1, logged.
void play_flap_sound(SoundEngine& sound, FlapCall call, double vol);

/// A tone of `freq` Hz for `dur` ms: the system's beeper, else the sound engine's tone at
/// `volume` (0..1).
void flight_beep(SoundEngine& sound, int freq, int dur, double volume);

/// The lengths of the loaded sound files behind each call, which pace the cycle's sounds.
[[nodiscard]] FlightSoundLengths loaded_sound_lengths(const SoundSlots& files);

} // namespace kalveo
