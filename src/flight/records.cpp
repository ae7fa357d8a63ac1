#include "flight/records.h"

namespace kalveo {

MyTas0Record my_tas_0;
MyTas1Record my_tas_1;
MyTas3Record my_tas_3;
MyTasCRecord my_tas_c;
ChronoRecord chrono;
Flaps0Record flaps_0;
FlapsCRecord flaps_c;
VolumesRecord volumes;

} // namespace kalveo
