#include "report/log.h"
#include "sound/sound.h"
#include "sound/sound_module.h"
#include "text/text_format.h"

#include <string>

namespace kalveo {

int SoundEngine::load_files() {
    int loaded = 0;
    for (int slot = 1; slot <= kSoundSlots; ++slot) {
        const std::string file(kSoundFiles[static_cast<std::size_t>(slot)]);
        int num = 0;
        double length = 0.0;
        // A file that fails keeps number 0: its requests then play the first
        // sound that did load, which beats silence for an alarm.
        if (load(file, num, length) == 1) {
            ++loaded;
            log_verbatim(format_text("%3d %s%3d%9.4f", slot, file.c_str(), num, length));
        } else {
            num = 0;
            length = 0.0;
        }
        files_.sound_num[static_cast<std::size_t>(slot)] = num;
        files_.sound_length[static_cast<std::size_t>(slot)] = length;
    }
    return loaded;
}

} // namespace kalveo
