// sim/active_version: which installed version the pilot is using now.
#pragma once

#include <cstdint>

namespace kalveo {

/// Modification times (s) of each version's flight plan and log, -1 when the
/// file is missing.
struct VersionFileTimes {
    std::int64_t plan2 = -1;
    std::int64_t plan3 = -1;
    std::int64_t log2 = -1;
    std::int64_t log3 = -1;
};

/// 2 or 3 for two installed versions: the version whose flight plan or log
/// was written last; a flight plan beats a log of the same time, version 3
/// wins ties between the plans and between the logs, and with no file at all
/// version 2 is taken.
[[nodiscard]] int choose_active_version(const VersionFileTimes& t);

} // namespace kalveo
