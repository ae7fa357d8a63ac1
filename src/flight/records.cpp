#include "flight/records.h"

namespace kalveo {

MyTas1Record my_tas_1;
MyTasCRecord my_tas_c;

} // namespace kalveo
