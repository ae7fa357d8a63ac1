// shell/startup_sounds: the start-up's sound engine: the device of the
// "Sound device" setting and the alarm files.
#pragma once

#include "sound/sound.h"

namespace kalveo {

/// Opens sound device `device` ("Sound device" setting) of `sound` and loads the
/// sound files; when the device cannot be opened, tells the user in an error box
/// and goes on without sound.
void start_sounds(SoundEngine& sound, int device);

} // namespace kalveo
