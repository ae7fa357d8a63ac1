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

/// Hands the mixer's output to the watch of watch_mixed_buffers; done when the device opens.
void install_mixed_buffer_watch();

/// Lists the output devices in the log and on standard output, the default
/// one marked.
void log_devices();

/// Starts the audio subsystem on a driver that plays to nowhere at a real
/// device's pace (the "no sound" device). False when it cannot start.
bool start_silent_audio();

/// Name of device `device` as SDL knows it: nothing for the system default
/// (-1); an empty name when no device has that number.
[[nodiscard]] std::optional<std::string> device_name(int device);

} // namespace kalveo::sound_detail
