#include "replay/audio_report.h"

#include <cmath>
#include <cstdio>
#include <fstream>

namespace kalveo::replay {

namespace {

// Below this RMS a window counts as silence (full scale is 32767).
constexpr double kSilenceRms = 300.0;

struct Window {
    bool loud = false;
    double frequency = 0.0;
};

Window analyse(const std::int16_t* samples, std::size_t count, int rate) {
    double energy = 0.0;
    int crossings = 0;
    std::size_t first = 0;
    std::size_t last = 0;
    for (std::size_t i = 0; i < count; ++i) {
        energy += static_cast<double>(samples[i]) * samples[i];
        if (i > 0 && (samples[i - 1] < 0) != (samples[i] < 0)) {
            if (crossings++ == 0) first = i;
            last = i;
        }
    }
    Window w;
    w.loud = count > 0 && std::sqrt(energy / static_cast<double>(count)) >= kSilenceRms;
    // The pitch between the first and the last crossing: a window that a sound only partly
    // fills (its start or end) still shows the sound's own pitch.
    if (crossings >= 2)
        w.frequency = (crossings - 1) * rate / (2.0 * static_cast<double>(last - first));
    return w;
}

// Stretches of one sound that an edge had cut apart become one again.
std::vector<HeardSound> joined(const std::vector<HeardSound>& sounds) {
    std::vector<HeardSound> out;
    for (const HeardSound& s : sounds) {
        if (!out.empty() && out.back().level == s.level &&
            s.start_s - out.back().end_s <= kJoinGapSeconds) {
            HeardSound& last = out.back();
            const double a = last.end_s - last.start_s;
            const double b = s.end_s - s.start_s;
            last.frequency_hz = (last.frequency_hz * a + s.frequency_hz * b) / (a + b);
            last.end_s = s.end_s;
        } else {
            out.push_back(s);
        }
    }
    return out;
}

} // namespace

int alarm_level_of(double f) {
    if (f < 500.0 || f > 2200.0) return -1;
    if (f < 770.0) return 0;
    if (f < 990.0) return 1;
    if (f < 1300.0) return 2;
    return 3;
}

std::vector<HeardSound> hear(const std::vector<std::int16_t>& samples, int rate) {
    std::vector<HeardSound> heard;
    if (rate <= 0) return heard;
    const auto window = static_cast<std::size_t>(rate * kWindowSeconds);
    double frequency_sum = 0.0;
    int windows = 0;
    for (std::size_t start = 0; start + window <= samples.size(); start += window) {
        const Window w = analyse(samples.data() + start, window, rate);
        if (!w.loud) continue;
        const double t = static_cast<double>(start) / rate;
        const int level = alarm_level_of(w.frequency);
        const bool joins = !heard.empty() && heard.back().level == level &&
                           t - heard.back().end_s <= kJoinGapSeconds;
        if (!joins) {
            heard.push_back({t, t, level, 0.0});
            frequency_sum = 0.0;
            windows = 0;
        }
        heard.back().end_s = t + kWindowSeconds;
        frequency_sum += w.frequency;
        heard.back().frequency_hz = frequency_sum / ++windows;
    }
    std::erase_if(heard, [](const HeardSound& s) {
        return s.end_s - s.start_s < kShortestSoundSeconds - 1e-9;
    });
    return joined(heard);
}

std::optional<std::vector<std::int16_t>> read_raw_audio(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in) return std::nullopt;
    std::vector<std::int16_t> samples;
    unsigned char pair[2];
    while (in.read(reinterpret_cast<char*>(pair), 2)) {
        const auto value = static_cast<std::uint16_t>(pair[0] | (pair[1] << 8));
        samples.push_back(static_cast<std::int16_t>(value));
    }
    return samples;
}

std::string describe(const HeardSound& s) {
    char line[128];
    if (s.level >= 0) {
        std::snprintf(line, sizeof line, "%8.2f s  VNE alarm level %d (%.0f Hz, %.1f s)", s.start_s,
                      s.level, s.frequency_hz, s.end_s - s.start_s);
    } else {
        std::snprintf(line, sizeof line, "%8.2f s  another sound (%.0f Hz, %.1f s)", s.start_s,
                      s.frequency_hz, s.end_s - s.start_s);
    }
    return line;
}

} // namespace kalveo::replay
