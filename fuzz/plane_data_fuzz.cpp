// The simulator's plane-data (.pdt) and polar-node (.pol) files: parsed as bytes in both
// layouts, then loaded from disk and turned into the polar as a flight would.
// The input is a 2-byte little-endian length (top bit: version 3 layout), that many .pdt
// bytes, then the .pol bytes.
#include "fuzz_support.h"
#include "glider/plane_data.h"
#include "glider/polar_curve.h"
#include "glider/records.h"

#include <cstdlib>
#include <filesystem>

using namespace kalveo;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::quiet_start();
    if (size < 2) return 0;
    const std::size_t pdt_size = std::min<std::size_t>(data[0] | ((data[1] & 0x7F) << 8), size - 2);
    const bool version3 = (data[1] & 0x80) != 0;
    const std::string_view pdt = fuzz::as_text(data + 2, pdt_size);
    const std::string_view pol = fuzz::as_text(data + 2 + pdt_size, size - 2 - pdt_size);

    std::string error;
    std::string note;
    for (const bool condor3 : {false, true})
        (void)parse_plane_data(pdt, condor3, error);
    (void)parse_polar_nodes(pol, note, error);

    // The folder's name tells get_pol the layout.
    static const std::string root = fuzz::scratch_path();
    const std::string install = root + (version3 ? "/Condor3" : "/Condor2");
    std::filesystem::create_directories(install + "/Planes/G");
    (void)fuzz::scratch_file(install.substr(root.size() + 1) + "/Planes/G/G.pdt", pdt);
    (void)fuzz::scratch_file(install.substr(root.size() + 1) + "/Planes/G/G.pol", pol);
    GggmasRecord masses;
    masses.rmass = 300 + data[0];
    const PlanePolar polar = get_pol(install, "G");
    if (polar.plane_read) masses.rmass = polar.plane.dmass[1];
    update_wl(masses);
    if (polar.ready) {
        PolarTable table{};
        const int last = sample_reference_polar(polar, table);
        if (last < kReferencePolarFirst - 1 || last >= kPolarTableSize) std::abort();
    }
    return 0;
}
