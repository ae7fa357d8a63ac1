#include "flight/records.h"

namespace kalveo {

MyTasCRecord my_tas_c;

} // namespace kalveo
