// The glider data file: the version scan, the whole-file check of a download and the lookup
// of a glider in each version.
#include "fuzz_support.h"
#include "glider/glider_data.h"

#include <cstdlib>

using namespace kalveo;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::quiet_start();
    const std::string_view text = fuzz::as_text(data, size);
    (void)scan_data_version(text);
    (void)glider_data_problem(text);
    for (const char* glider : {"LS8neo", "ASK21", "Arcus", ""}) {
        for (int version = 1; version <= 3; ++version) {
            GliderValues values;
            (void)scan_glider_data(text, glider, version, values);
            if (values.nflap < 0 || values.nflap > kMaxFlaps) std::abort();
            if (values.glnam.size() > 32) std::abort();
            for (const auto& name : values.cflap) {
                if (name.size() > 10) std::abort();
            }
        }
    }
    return 0;
}
