// replay/audio_report: what a pilot would have heard, from captured audio (signed 16-bit
// little-endian mono samples, as SDL's disk audio driver writes them): the VNE alarm levels
// told apart by their pitch.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace kalveo::replay {

/// A stretch of sound.
struct HeardSound {
    double start_s = 0.0; ///< from the start of the capture (s)
    double end_s = 0.0;
    int level = -1;            ///< VNE alarm level 0..3, -1 another sound
    double frequency_hz = 0.0; ///< its mean pitch
};

/// Length of the analysis windows (s) and the gap that still joins two stretches (s).
inline constexpr double kWindowSeconds = 0.02;
inline constexpr double kJoinGapSeconds = 0.3;
/// Shorter stretches are the edges of sounds (fades, two sounds overlapping), not sounds.
inline constexpr double kShortestSoundSeconds = 0.06;

/// The alarm level of a pitch: 660 Hz level 0, 880 Hz level 1, 1100 Hz level 2, the
/// 1400/1800 Hz warble level 3; -1 outside the alarms' range.
[[nodiscard]] int alarm_level_of(double frequency_hz);

/// The sounds in the samples, in time order.
[[nodiscard]] std::vector<HeardSound> hear(const std::vector<std::int16_t>& samples, int rate);

/// The samples of a raw capture file; nothing when it cannot be read. An odd last byte is
/// ignored.
[[nodiscard]] std::optional<std::vector<std::int16_t>>
read_raw_audio(const std::filesystem::path& file);

/// One line per sound: "  12.34 s  VNE alarm level 2 (1100 Hz, 0.7 s)".
[[nodiscard]] std::string describe(const HeardSound& sound);

} // namespace kalveo::replay
