#include "wav_files.h"

#include "support/test_files.h"

#include <cmath>
#include <cstring>
#include <numbers>
#include <string>

namespace kalveo::testing {

namespace {

void put_u32(std::string& out, std::uint32_t value) {
    for (int i = 0; i < 4; ++i)
        out += static_cast<char>((value >> (8 * i)) & 0xFF);
}

void put_u16(std::string& out, std::uint16_t value) {
    out += static_cast<char>(value & 0xFF);
    out += static_cast<char>(value >> 8);
}

std::uint32_t get_u32(const std::string& bytes, std::size_t at) {
    std::uint32_t value = 0;
    for (int i = 3; i >= 0; --i)
        value = (value << 8) | static_cast<unsigned char>(bytes[at + static_cast<std::size_t>(i)]);
    return value;
}

} // namespace

void write_wav(const std::filesystem::path& file, const Samples& samples, int rate) {
    const auto data_bytes = static_cast<std::uint32_t>(samples.size() * 2);
    std::string out = "RIFF";
    put_u32(out, 36 + data_bytes);
    out += "WAVEfmt ";
    put_u32(out, 16);
    put_u16(out, 1); // PCM
    put_u16(out, 1); // mono
    put_u32(out, static_cast<std::uint32_t>(rate));
    put_u32(out, static_cast<std::uint32_t>(rate * 2));
    put_u16(out, 2);
    put_u16(out, 16);
    out += "data";
    put_u32(out, data_bytes);
    for (const std::int16_t s : samples)
        put_u16(out, static_cast<std::uint16_t>(s));
    write_file(file, out);
}

double wav_seconds(const std::filesystem::path& file) {
    const std::string bytes = read_file(file);
    if (bytes.size() < 12 || bytes.compare(0, 4, "RIFF") != 0) return 0.0;
    std::uint32_t rate = 0;
    for (std::size_t at = 12; at + 8 <= bytes.size();) {
        const std::string id = bytes.substr(at, 4);
        const std::uint32_t size = get_u32(bytes, at + 4);
        if (id == "fmt " && at + 16 <= bytes.size()) rate = get_u32(bytes, at + 12);
        if (id == "data") return rate == 0 ? 0.0 : size / 2.0 / rate;
        at += 8 + size + (size & 1);
    }
    return 0.0;
}

Samples read_raw_capture(const std::filesystem::path& file) {
    const std::string bytes = read_file(file);
    Samples samples(bytes.size() / 2);
    for (std::size_t i = 0; i < samples.size(); ++i) {
        const auto low = static_cast<unsigned char>(bytes[2 * i]);
        const auto high = static_cast<unsigned char>(bytes[2 * i + 1]);
        samples[i] = static_cast<std::int16_t>(static_cast<std::uint16_t>(low | (high << 8)));
    }
    return samples;
}

Samples tone(double hz, double seconds, double amplitude, int rate) {
    Samples samples(static_cast<std::size_t>(seconds * rate));
    for (std::size_t i = 0; i < samples.size(); ++i)
        samples[i] = static_cast<std::int16_t>(
            std::lround(amplitude * std::cos(2 * std::numbers::pi * hz * i / rate)));
    return samples;
}

double rms(const Samples& samples, std::size_t first, std::size_t count) {
    double sum = 0.0;
    std::size_t n = 0;
    for (std::size_t i = first; i < first + count && i < samples.size(); ++i, ++n)
        sum += static_cast<double>(samples[i]) * samples[i];
    return n == 0 ? 0.0 : std::sqrt(sum / static_cast<double>(n));
}

std::size_t first_sound(const Samples& samples) {
    std::size_t i = 0;
    while (i < samples.size() && samples[i] == 0)
        ++i;
    return i;
}

std::size_t end_of_sound(const Samples& samples) {
    std::size_t end = samples.size();
    while (end > 0 && samples[end - 1] == 0)
        --end;
    return end;
}

} // namespace kalveo::testing
