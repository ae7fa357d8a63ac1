// The files Wine front-ends name their prefixes in: a Lutris game file, Steam's list of
// library folders, and the simulator's sections taken out of a user.reg.
#include "fuzz_support.h"
#include "platform/wine_places.h"
#include "platform/wine_registry.h"

using namespace kalveo;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::quiet_start();
    const std::string_view text = fuzz::as_text(data, size);
    (void)lutris_game_prefix(text);
    (void)steam_library_folders(text);
    const WineRegistry reg = WineRegistry::parse(simulator_sections(text));
    (void)reg.find("Software\\Condor3", "InstallDir");
    return 0;
}
