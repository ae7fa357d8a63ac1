// The flight plan the simulator writes at the start of a flight.
#include "fuzz_support.h"
#include "sim/fpl.h"
#include "sim/fpl_reader.h"
#include "text/key_value.h"
#include "text/number_read.h"

#include <sstream>

using namespace kalveo;

namespace {

// A task of more than 30 turnpoints stops the program with its message, as it should;
// such plans are left out.
bool too_many_turnpoints(std::string_view text) {
    for (std::string_view line : fuzz::split(text, '\n')) {
        line = line.substr(0, kFplLineLength);
        while (!line.empty() && (line.back() == '\r' || line.back() == ' '))
            line.remove_suffix(1);
        if (line.starts_with("LCONFPL")) line.remove_prefix(7);
        const KeyValue kv = extract_key_val(line);
        if (std::string_view(kv.key).starts_with("Count") && read_int(kv.val).value_or(0) > 31)
            return true;
    }
    return false;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::quiet_start();
    if (too_many_turnpoints(fuzz::as_text(data, size))) return 0;
    std::istringstream in(std::string(fuzz::as_text(data, size)));
    int lines = 0;
    int status = 0;
    Installation installation;
    (void)read_fpl(in, installation, true, size % 2 == 0, lines, status);
    return 0;
}
