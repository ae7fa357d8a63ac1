// The mixer's output as it leaves for the device, for measuring when a sound is heard.
#include "sound/sound.h"
#include "sound/sound_module.h"

#include <SDL_mixer.h>
#include <mutex>

namespace kalveo {

namespace {

std::mutex watch_lock;
MixedBufferWatch mixed_watch;

void on_mixed(void* /*unused*/, Uint8* stream, int len) {
    const std::lock_guard<std::mutex> hold(watch_lock);
    if (!mixed_watch || len <= 0) return;
    mixed_watch({reinterpret_cast<const std::int16_t*>(stream),
                 static_cast<std::size_t>(len) / sizeof(std::int16_t)});
}

} // namespace

void watch_mixed_buffers(MixedBufferWatch watch) {
    const std::lock_guard<std::mutex> hold(watch_lock);
    mixed_watch = std::move(watch);
}

void sound_detail::install_mixed_buffer_watch() {
    Mix_SetPostMix(on_mixed, nullptr);
}

} // namespace kalveo
