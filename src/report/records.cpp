#include "report/records.h"

namespace kalveo {

Cmndta000Record cmndta000;
Cmndta001Record cmndta001;

} // namespace kalveo
