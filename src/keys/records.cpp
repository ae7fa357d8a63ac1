#include "keys/records.h"

namespace kalveo {

KeydefRecord keydef;

} // namespace kalveo
