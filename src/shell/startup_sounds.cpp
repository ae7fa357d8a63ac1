#include "shell/startup_sounds.h"

#include "flight/records.h"
#include "report/messages.h"
#include "report/records.h"
#include "sound/sound.h"

namespace kalveo {

void start_sounds() {
    if (init_sounds(beeps.snddev) == 1) {
        load_sound_files();
        return;
    }
    error_message_tit(kBoxError, my_tas_c.msg_tit, "Error initialising sounds - see logfile",
                      cmndta001.qline);
}

} // namespace kalveo
