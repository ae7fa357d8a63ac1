// sound/sound_module: helpers shared by the sound engine's files.
#pragma once

#include "sound/sound.h"

#include <optional>
#include <string>

namespace kalveo {

/// A tone made by play_tone, kept with the loaded sounds.
struct SoundEngine::Tone {
    int freq = 0;
    int dur_ms = 0;
    int num = -1;
    Mix_Chunk* chunk = nullptr;
};

} // namespace kalveo

namespace kalveo::sound_detail {

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
