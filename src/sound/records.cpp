#include "sound/records.h"

namespace kalveo {

BeepsRecord beeps;

} // namespace kalveo
