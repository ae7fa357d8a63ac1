#include "flight/records.h"

namespace kalveo {

MyTas0Record my_tas_0;
MyTas1Record my_tas_1;
MyTas3Record my_tas_3;
MyTasCRecord my_tas_c;
Flaps0Record flaps_0;
FlapsCRecord flaps_c;

} // namespace kalveo
