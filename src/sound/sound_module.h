// sound/sound_module: state and helpers shared by the sound engine's files.
#pragma once

#include <optional>
#include <string>
#include <vector>

struct Mix_Chunk;

namespace kalveo::sound_detail {

/// The engine's one instance of state.
struct SoundModule {
    bool initialized = false;        ///< device open
    std::vector<Mix_Chunk*> samples; ///< loaded sounds; index = sound number = mixer channel
};

SoundModule& module();

/// printf-style text in the "C" locale's number format.
[[nodiscard]] std::string format_text(const char* format, ...)
    __attribute__((format(printf, 1, 2)));

/// Writes one log line even when the text holds "/" (the log's line break),
/// as paths and device names may.
void log_line(const std::string& text);

/// Lists the output devices in the log and on standard output, the default
/// one marked.
void log_devices();

/// Name of device `device` as SDL knows it: nothing for the system default
/// (-1); an empty name when no device has that number.
[[nodiscard]] std::optional<std::string> device_name(int device);

} // namespace kalveo::sound_detail
