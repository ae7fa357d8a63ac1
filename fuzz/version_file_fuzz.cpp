// The version file of the maker's server ("Version=..." and "HangarUpdate=..." lines), read
// from its downloaded file as the start-up check reads it, and the texts made of what it says.
#include "fuzz_support.h"
#include "glider/data_update.h"
#include "glider/file_bytes.h"
#include "text/value_format.h"

#include <cstdlib>

using namespace kalveo;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::quiet_start();
    const std::string file = fuzz::scratch_file("KALVEO_TMP.txt", fuzz::as_text(data, size));
    const std::optional<std::string> text = read_file_bytes(file);
    if (!text || text->size() != size) std::abort();
    const LatestVersions latest = parse_version_numbers(*text);
    if (parse_version_numbers(fuzz::as_text(data, size)).data != latest.data) std::abort();
    if (data_version_text(latest.data).size() > 15) std::abort();
    (void)numver_to_char(latest.program);
    return 0;
}
