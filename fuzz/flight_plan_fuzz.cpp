// The flight plan the simulator writes at the start of a flight.
#include "fuzz_support.h"
#include "sim/fpl.h"

#include <sstream>

using namespace kalveo;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::quiet_start();
    fuzz::reset_records();
    std::istringstream in(std::string(fuzz::as_text(data, size)));
    int lines = 0;
    int status = 0;
    read_fpl(in, true, true, size % 2 == 0, lines, status);
    return 0;
}
