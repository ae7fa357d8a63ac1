#include "report/log.h"
#include "sound/sound_module.h"

#include <SDL.h>

namespace kalveo::sound_detail {

// SDL's dummy driver takes the mix at a real device's pace and sends it
// nowhere: sounds load with their lengths and play for their length, so the
// alarms keep their rhythm, yet nothing is heard. It needs no sound card, so
// "no sound" starts on any machine.
bool start_silent_audio() {
    SDL_SetHintWithPriority(SDL_HINT_AUDIODRIVER, "dummy", SDL_HINT_OVERRIDE);
    const bool started = SDL_InitSubSystem(SDL_INIT_AUDIO) == 0;
#if SDL_VERSION_ATLEAST(2, 24, 0)
    SDL_ResetHint(SDL_HINT_AUDIODRIVER);
#endif
    if (started)
        log_message("Sound off by setting (Sound device = 0): sounds are loaded but not heard");
    return started;
}

} // namespace kalveo::sound_detail
