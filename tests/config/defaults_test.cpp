#include "config/defaults.h"
#include "config/records.h"
#include "flight/records.h"
#include "report/records.h"

#include <gtest/gtest.h>

namespace kalveo {
namespace {

// A restart pass runs the defaults again; what start-up carries across
// passes must survive them.
TEST(RunStateResetOnRestart, KeepsWhatStartupCarriesAcrossPasses) {
    cmndta001.qrestart = true;
    cmndta001.qkeepwnd = true;
    my_tas_1.numver = 3210;

    reset_run_state();

    EXPECT_TRUE(cmndta001.qrestart);
    EXPECT_TRUE(cmndta001.qkeepwnd);
    EXPECT_EQ(my_tas_1.numver, 3210);

    cmndta001.qrestart = false;
    cmndta001.qkeepwnd = false;
}

} // namespace
} // namespace kalveo
