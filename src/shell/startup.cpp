#include "shell/startup.h"

#include <cstdio>

namespace kalveo {

namespace {

constexpr const char* kHelp = "[-help] [-kmh|-kph|-mph|-kts|-fpf]";

} // namespace

int kalveo(const std::vector<std::string>& arguments) {
    for (std::size_t i = 1; i < arguments.size(); ++i) {
        if (arguments[i] == "-help") {
            std::printf("Usage :\n %s %s\n", arguments[0].c_str(), kHelp);
            return 0;
        }
    }
    return 0;
}

} // namespace kalveo
