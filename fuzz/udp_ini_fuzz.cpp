// The simulator's UDP settings (UDP.ini).
#include "fuzz_support.h"
#include "link/udp_ini.h"

#include <cstdlib>

using namespace kalveo;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::quiet_start();
    const UdpIniValues values = parse_udp_ini(fuzz::as_text(data, size));
    if (values.host.size() > kUdpHostLength) std::abort();
    return 0;
}
