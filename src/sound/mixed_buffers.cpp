// The mixer's output as it leaves for the device, for measuring when a sound is heard.
#include "sound/sound.h"

#include <SDL_mixer.h>

namespace kalveo {

void SoundEngine::on_mixed(void* engine, std::uint8_t* stream, int len) {
    auto* self = static_cast<SoundEngine*>(engine);
    const std::lock_guard<std::mutex> hold(self->watch_lock_);
    if (!self->watch_ || len <= 0) return;
    self->watch_({reinterpret_cast<const std::int16_t*>(stream),
                  static_cast<std::size_t>(len) / sizeof(std::int16_t)});
}

void SoundEngine::watch_mixed_buffers(MixedBufferWatch watch) {
    {
        const std::lock_guard<std::mutex> hold(watch_lock_);
        watch_ = std::move(watch);
    }
    if (initialized_) Mix_SetPostMix(on_mixed, this);
}

} // namespace kalveo
