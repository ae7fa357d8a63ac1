#include "shell/startup_sounds.h"

#include "flight/records.h"
#include "report/messages.h"
#include "sound/sound.h"

namespace kalveo {

void start_sounds(SoundEngine& sound, int device) {
    if (sound.init(device) == 1) {
        sound.load_files();
        return;
    }
    error_message_tit(kBoxError, kDefaultBoxTitle, "Error initialising sounds - see logfile");
}

} // namespace kalveo
