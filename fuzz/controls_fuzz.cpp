// The simulator's key assignments (controls.ini), read as versions 1-2 and 3 read them.
#include "fuzz_support.h"
#include "sim/controls.h"
#include "sim/records.h"

using namespace kalveo;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::quiet_start();
    fuzz::reset_records();
    const std::string_view text = fuzz::as_text(data, size);
    for (const bool qc3 : {false, true}) {
        KeydefCndrRecord keys{};
        parse_controls_ini(text, qc3, keys);
    }
    (void)key_name_line("chat", static_cast<int>(size) - 300);
    return 0;
}
