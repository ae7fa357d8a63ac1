// Wine's registry files (user.reg), as the registry service reads them.
#include "fuzz_support.h"
#include "platform/wine_registry.h"

using namespace kalveo;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::quiet_start();
    const WineRegistry reg = WineRegistry::parse(fuzz::as_text(data, size));
    for (const char* key : {"Software\\Condor3", "SOFTWARE\\Condor2\\",
                            "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders",
                            "Control Panel\\International"}) {
        (void)reg.has_key(key);
        (void)reg.find(key, "InstallDir");
        (void)reg.find(key, "Personal");
        (void)reg.find(key, "");
    }
    (void)normalise_registry_key(fuzz::as_text(data, size));
    return 0;
}
