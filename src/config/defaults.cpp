#include "config/defaults.h"

#include "config/records.h"
#include "flight/records.h"
#include "report/records.h"

namespace kalveo {

void reset_run_state() {
    my_tas_1.kalveo_init = false;
}

} // namespace kalveo
