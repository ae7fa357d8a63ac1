#include "link/records.h"

namespace kalveo {

Communic0Record communic_0;
CommunicCRecord communic_c;

} // namespace kalveo
