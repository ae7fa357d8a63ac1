// shell/startup_sounds: the start-up's sound engine: the device of the
// "Sound device" setting and the alarm files.
#pragma once

namespace kalveo {

/// Opens the sound device of beeps.snddev and loads the sound files into
/// beeps; when the device cannot be opened, tells the user in an error box
/// and goes on without sound.
void start_sounds();

} // namespace kalveo
