// Reading a flight plan.
#include "sim/fpl.h"

#include "sim/fpl_reader.h"

#include <string>

namespace kalveo {

FlightPlan read_fpl(std::istream& in, Installation& installation, bool qverb, bool qfr, int& nl,
                    int& ios) {
    FlightPlan plan;
    FplReader reader(plan, installation, qverb, qfr);
    std::string line;
    while (std::getline(in, line))
        if (!reader.take(line)) break;
    nl = reader.lines();
    ios = in.bad() ? 1 : 0;
    return plan;
}

} // namespace kalveo
