// Reading a flight plan and resetting what it fills.
#include "sim/fpl.h"

#include "glider/records.h"
#include "sim/fpl_reader.h"
#include "sim/records.h"

#include <string>

namespace kalveo {

void init_glider() {
    gggmas = GggmasRecord{};
    ggg001 = Ggg001Record{};
    ggg002 = Ggg002Record{};
    gggpol = GggpolRecord{};
}

void init_read_fpl() {
    rd_fpl_0 = RdFpl0Record{};
    rd_fpl_2 = RdFpl2Record{};
    rd_fpl_4 = RdFpl4Record{};
    rd_fpl_5 = RdFpl5Record{};
    rd_fpl_6.allowbugwipers = false;
    rd_fpl_wz1 = RdFplWz1Record{};
    rd_fpl_wz2 = RdFplWz2Record{};
}

void init_wp() {
    rd_fpl_1 = RdFpl1Record{};
}

void read_fpl(std::istream& in, bool reset, bool qverb, bool qfr, int& nl, int& ios) {
    if (reset) {
        init_read_fpl();
        init_wp();
    }
    FplReader reader(qverb, qfr);
    std::string line;
    while (std::getline(in, line))
        if (!reader.take(line)) break;
    nl = reader.lines();
    ios = in.bad() ? 1 : 0;
}

} // namespace kalveo
