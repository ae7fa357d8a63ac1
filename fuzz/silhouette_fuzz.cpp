// The glider outline of the heading symbol (Settings\silhouette.txt): read, then turned into
// the loops and fill shapes the horizon draws, so that odd joins cannot index past a part.
#include "display/silhouette.h"
#include "fuzz_support.h"

using namespace kalveo;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::quiet_start();
    const Silhouette s = read_silhouette_text(fuzz::as_text(data, size), [](const std::string&) {});
    (void)silhouette_outlines(s);
    (void)silhouette_fill(s);
    return 0;
}
