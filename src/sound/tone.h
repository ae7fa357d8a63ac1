// sound/tone: a generated sine tone (the beep of polar mode) played like a loaded sound, on a
// mixer channel of its own.
#pragma once

namespace kalveo {

/// Plays a tone of `freq` Hz (20..20000) for `dur_ms` ms (1..5000) at volume `vol` (0..1).
/// The tone is made once per frequency and length and kept with the loaded sounds. Returns 1,
/// or 0 when the engine is not running or the values are out of range.
int play_tone(int freq, int dur_ms, double vol);

} // namespace kalveo
