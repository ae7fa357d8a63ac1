#include "glider/records.h"

namespace kalveo {

GggmasRecord gggmas;
Ggg001Record ggg001;
Ggg002Record ggg002;
Misc00Record misc00;
GggpolRecord gggpol;

void init_fconv() {
    misc00.fconv_def = {3.6, 1.9438444, 2.2369363, 6.0132294, 0.0, 0.0, 0.0};
}

} // namespace kalveo
