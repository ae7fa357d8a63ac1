// The simulator's pilot options (Setup.ini).
#include "config/setup_ini.h"
#include "fuzz_support.h"

using namespace kalveo;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::quiet_start();
    (void)parse_setup_text(fuzz::as_text(data, size));
    return 0;
}
