// WAV files and captured disk-driver output for the sound tests.
#pragma once

#include <cstdint>
#include <filesystem>
#include <vector>

namespace kalveo::testing {

using Samples = std::vector<std::int16_t>;

/// Writes 16-bit mono PCM samples as a WAV file.
void write_wav(const std::filesystem::path& file, const Samples& samples, int rate = 44100);

/// Length (s) of the sample data of a 16-bit mono WAV file; 0 when it is not one.
[[nodiscard]] double wav_seconds(const std::filesystem::path& file);

/// The raw signed 16-bit little-endian samples SDL's disk driver wrote.
[[nodiscard]] Samples read_raw_capture(const std::filesystem::path& file);

/// A tone of `amplitude` at `hz`, `seconds` long, starting at its peak so
/// that its first sample is not 0.
[[nodiscard]] Samples tone(double hz, double seconds, double amplitude, int rate = 44100);

/// Root mean square of samples [first, first + count).
[[nodiscard]] double rms(const Samples& samples, std::size_t first, std::size_t count);

/// Index of the first sample that is not 0, or samples.size().
[[nodiscard]] std::size_t first_sound(const Samples& samples);

/// Index one past the last sample that is not 0, or 0.
[[nodiscard]] std::size_t end_of_sound(const Samples& samples);

} // namespace kalveo::testing
