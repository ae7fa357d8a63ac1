#include "keys/records.h"

namespace kalveo {

KeydefRecord keydef;
KeydefCndrRecord keydef_cndr;

} // namespace kalveo
