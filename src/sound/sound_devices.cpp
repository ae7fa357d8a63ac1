#include "report/log.h"
#include "report/trace.h"
#include "sound/sound_module.h"
#include "text/text_format.h"

#include <SDL.h>
#include <cstdio>

namespace kalveo::sound_detail {

namespace {

// The system's default output, when the audio driver can tell.
std::string default_device_name() {
#if SDL_VERSION_ATLEAST(2, 24, 0)
    char* name = nullptr;
    SDL_AudioSpec format;
    if (SDL_GetDefaultAudioInfo(&name, &format, 0) == 0 && name != nullptr) {
        std::string result(name);
        SDL_free(name);
        return result;
    }
#endif
    return {};
}

} // namespace

void log_devices() {
    log_message("************************");
    log_message("Sound devices available:");
    const std::string default_name = default_device_name();
    const int count = SDL_GetNumAudioDevices(0);
    for (int index = 1; index <= count; ++index) {
        const char* name = SDL_GetAudioDeviceName(index - 1, 0);
        if (name == nullptr) continue;
        trace("%s\n", name);
        const char* tag = !default_name.empty() && default_name == name ? "[DEFAULT]" : "";
        log_verbatim(format_text("%d %s %s", index, name, tag));
    }
    log_message("************************");
}

std::optional<std::string> device_name(int device) {
    if (device == -1) return std::nullopt;
    const int count = SDL_GetNumAudioDevices(0);
    if (device < 1 || device > count) return std::string();
    const char* name = SDL_GetAudioDeviceName(device - 1, 0);
    return std::string(name != nullptr ? name : "");
}

} // namespace kalveo::sound_detail
