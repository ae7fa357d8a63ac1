#include "display/records.h"

namespace kalveo {

DisplayStateRecord display_state;

} // namespace kalveo
