#include "run_log.h"

#include "support/test_files.h"

#include <regex>

namespace kalveo::testing {

std::vector<Played> played(const std::filesystem::path& log) {
    static const std::regex line(R"(Sound \d+ Sounds\\(\w+)\.wav at (\d+):(\d+):([\d.]+))");
    std::vector<Played> out;
    const std::string text = read_file(log);
    for (std::sregex_iterator i(text.begin(), text.end(), line), end; i != end; ++i) {
        const auto& m = *i;
        out.push_back({m[1], std::stod(m[2]) * 3600 + std::stod(m[3]) * 60 + std::stod(m[4])});
    }
    return out;
}

std::vector<int> level_runs(const std::vector<int>& levels) {
    std::vector<int> runs;
    for (int level : levels)
        if (runs.empty() || runs.back() != level) runs.push_back(level);
    return runs;
}

std::vector<int> alarm_levels(const std::vector<Played>& sounds) {
    std::vector<int> levels;
    for (const Played& p : sounds)
        if (p.sound.rfind("VNE_", 0) == 0) levels.push_back(p.sound[4] - '0');
    return levels;
}

Averages last_averages(const std::filesystem::path& log) {
    static const std::regex line(
        R"(NETTO AVE (-?\d+) (\S+) (\S+) - CLIMB AVE (-?\d+) (\S+) (\S+))");
    Averages a;
    const std::string text = read_file(log);
    for (std::sregex_iterator i(text.begin(), text.end(), line), end; i != end; ++i) {
        const auto& m = *i;
        a = {true,           std::stoi(m[1]), std::stod(m[2]), std::stod(m[3]), std::stoi(m[4]),
             std::stod(m[6])};
    }
    return a;
}

} // namespace kalveo::testing
