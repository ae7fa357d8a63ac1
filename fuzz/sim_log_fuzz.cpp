// The simulator's own log (Logs\Logfile.txt): its version line and the flight state,
// read from a file as the program reads it.
#include "fuzz_support.h"
#include "sim/sim_files.h"
#include "sim/sim_log.h"

#include <cstdlib>

using namespace kalveo;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::quiet_start();
    const std::string file = fuzz::scratch_file("Logfile.txt", fuzz::as_text(data, size));
    const TextLines head = read_text_lines(file, kSimLogLineLength, kVersionLines);
    if (!head.ok || head.lines.size() > kVersionLines) std::abort();
    (void)major_version_from_log(head.lines);
    const TextLines all = read_text_lines(file, kSimLogLineLength);
    for (const auto& line : all.lines) {
        if (line.size() > kSimLogLineLength) std::abort();
    }
    const int state = flight_state_from_log(all.lines);
    if (state < -1 || state > 1) std::abort();
    return 0;
}
