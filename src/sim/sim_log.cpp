#include "sim/sim_log.h"

#include "text/number_read.h"

#include <string_view>

namespace kalveo {

int major_version_from_log(const std::vector<std::string>& lines) {
    constexpr std::string_view kVersionKey = "Condor version:";
    for (std::size_t i = 0; i < lines.size() && i < kVersionLines; ++i) {
        const std::string_view line = lines[i];
        if (!line.starts_with(kVersionKey)) continue;
        const auto number = read_int(line.substr(kVersionKey.size()));
        return number ? *number / 1000 : 0;
    }
    return 0;
}

int flight_state_from_log(const std::vector<std::string>& lines) {
    std::size_t last_entry = 0;
    std::size_t last_leave = 0;
    bool shut_down = false;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string& line = lines[i];
        const std::size_t number = i + 1;
        if (line.find("ENTERED SIMULATION AT") != std::string::npos)
            last_entry = number;
        else if (line.find("LEAVING SIMULATION AT") != std::string::npos)
            last_leave = number;
        else if (line.find("SHUTTING DOWN CONDOR.") != std::string::npos)
            shut_down = true;
    }
    if (last_entry < last_leave || shut_down) return 0;
    return last_entry > 0 ? 1 : -1;
}

} // namespace kalveo
