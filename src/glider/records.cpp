#include "glider/records.h"

namespace kalveo {

GggmasRecord gggmas;
Ggg001Record ggg001;
Ggg002Record ggg002;
GggpolRecord gggpol;

} // namespace kalveo
