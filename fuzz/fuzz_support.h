// fuzz/fuzz_support: what every fuzz target shares: a quiet, throw-away working folder
// for the log, and the input split into pieces.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace kalveo::fuzz {

/// Once per process: makes a fresh temporary folder for scratch files, sends the run log to
/// /dev/null and
/// the console echo to nowhere (libFuzzer reports on standard error).
void quiet_start();

/// The input as text.
inline std::string_view as_text(const std::uint8_t* data, std::size_t size) {
    return {reinterpret_cast<const char*>(data), size};
}

/// The input cut at every byte `separator` (a sequence of datagrams, of file variants).
[[nodiscard]] std::vector<std::string_view> split(std::string_view text, char separator);

/// The temporary folder of quiet_start.
[[nodiscard]] std::string scratch_path();

/// Writes `bytes` to a file of that name in the scratch folder and returns its full path.
[[nodiscard]] std::string scratch_file(std::string_view name, std::string_view bytes);

} // namespace kalveo::fuzz
