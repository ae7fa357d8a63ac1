// The simulator's key assignments (controls.ini), read as versions 1-2 and 3 read them, and
// each key number found named as the log names it (a scan code negated, as the program stores
// it).
#include "fuzz_support.h"
#include "sim/controls.h"
#include "sim/records.h"
#include "text/number_read.h"

using namespace kalveo;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::quiet_start();
    const std::string_view text = fuzz::as_text(data, size);
    for (const bool qc3 : {false, true}) {
        SimulatorKeys keys{};
        parse_controls_ini(text, qc3, keys);
        for (const int number : {keys.scnchato, keys.scngrst, keys.scnnxtp, keys.scnprtp,
                                 keys.scnadvtp, keys.scnbugw}) {
            (void)key_name_line("key", number);
            (void)key_name_line("key", negate_key_number(number));
        }
    }
    return 0;
}
