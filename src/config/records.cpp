#include "config/records.h"

namespace kalveo {

Rdstng00Record rdstng00;
MessagesRecord messages;

} // namespace kalveo
