#include "config/records.h"

namespace kalveo {

OptionRecord option;
Rdstng00Record rdstng00;
MessagesRecord messages;

} // namespace kalveo
