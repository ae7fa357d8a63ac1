#include "config/records.h"

namespace kalveo {

OptionRecord option;
Rdstng00Record rdstng00;
FilesRecord files;
MessagesRecord messages;

} // namespace kalveo
