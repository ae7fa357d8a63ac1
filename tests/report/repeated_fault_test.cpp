#include "report/repeated_fault.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace kalveo {
namespace {

using namespace std::chrono_literals;

// A forward refused on every second send, 25 sends a second for 150 s, then 10 s of sends
// that all go: one line at the start, one a minute, one at the end, with the counts.
TEST(RepeatedFault, AFaultEverySecondCallGivesALineAMinuteAndOneWhenItEnds) {
    std::vector<std::string> lines;
    RepeatedFault fault([&lines](const std::string& line) { lines.push_back(line); });
    const auto start = RepeatedFault::Clock::time_point{} + 1000s;
    int call = 0;
    for (auto t = start; t < start + 150s; t += 40ms, ++call) {
        if (call % 2 == 1)
            fault.fault("Server: UDP forward failed : " + std::to_string(111 + call % 3), t);
        else
            fault.worked(t);
    }
    EXPECT_TRUE(fault.active());
    for (auto t = start + 150s; t < start + 160s; t += 40ms)
        fault.worked(t);
    EXPECT_FALSE(fault.active());

    // 1875 failures: the first, 750 in the first minute, 750 in the second, 374 left.
    EXPECT_EQ(lines, (std::vector<std::string>{
                         "Server: UDP forward failed : 112",
                         "Server: UDP forward failed : 112 (repeated 750 times)",
                         "Server: UDP forward failed : 112 (repeated 750 times)",
                         "Ended : Server: UDP forward failed : 113 (1875 times in all)",
                     }));

    // A new fault later starts afresh; closing ends it at once.
    lines.clear();
    fault.fault("Server: Connection closed with error code: 104", start + 300s);
    fault.worked(start + 301s);
    fault.finish();
    fault.finish();
    EXPECT_EQ(lines, (std::vector<std::string>{
                         "Server: Connection closed with error code: 104",
                         "Ended : Server: Connection closed with error code: 104 (1 time in all)",
                     }));
}

} // namespace
} // namespace kalveo
