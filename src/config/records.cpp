#include "config/records.h"

namespace kalveo {

MessagesRecord messages;

} // namespace kalveo
