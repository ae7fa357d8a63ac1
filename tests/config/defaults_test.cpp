#include "config/defaults.h"
#include "config/records.h"
#include "flight/records.h"
#include "glider/records.h"
#include "report/records.h"
#include "sim/records.h"
#include "sound/records.h"

#include <gtest/gtest.h>

namespace kalveo {
namespace {

// Leaves the records as a previous pass with a flight and an unusual settings
// file would, so that every expectation below shows a value being reset.
void mess_up_records() {
    misc00.fconv_def.fill(0.0);
    keydef_cndr.scnchatc = 99;
    keydef_cndr.scnchato = 20;
    keydef_cndr.scngrst = 34;
    my_tas_1.kalveo_init = true;
    cmndta001.qfr = true;
    cmndta001.qline = true;
    gggmas = GggmasRecord{325.0, 370.0, 505.0, 180.0, 0.0, 180.0};
    gggpol.calage = 1.5;
    rd_fpl_6.qpda = false;
    inst00.icndr = 3;
    inst00.qc1 = true;
    inst00.qc2 = true;
    inst00.qc3 = true;
}

class RunStateReset : public ::testing::Test {
  protected:
    void SetUp() override {
        mess_up_records();
        reset_run_state();
    }
    void TearDown() override { reset_run_state(); }
};

TEST_F(RunStateReset, UnitFactorsFollowTheSimulatorAgain) {
    EXPECT_DOUBLE_EQ(misc00.fconv_def[0], 3.6);
    EXPECT_DOUBLE_EQ(misc00.fconv_def[1], 1.9438444);
    EXPECT_DOUBLE_EQ(misc00.fconv_def[2], 2.2369363);
    EXPECT_DOUBLE_EQ(misc00.fconv_def[3], 6.0132294);
}

TEST_F(RunStateReset, PreviousFlightIsForgotten) {
    EXPECT_EQ(gggmas.rmass, 0.0);
    EXPECT_EQ(gggmas.mmass, 0.0);
    EXPECT_EQ(gggmas.cmass, 0.0);
    EXPECT_EQ(gggmas.wmass, 0.0);
    EXPECT_EQ(gggmas.balmax, 0.0);
    EXPECT_EQ(gggpol.calage, 0.0);
    EXPECT_TRUE(rd_fpl_6.qpda);
}

// A restart pass runs the defaults again; what start-up carries across
// passes must survive them.
TEST(RunStateResetOnRestart, KeepsWhatStartupCarriesAcrossPasses) {
    cmndta001.qrestart = true;
    cmndta001.qkeepwnd = true;
    my_tas_1.numver = 3210;
    my_tas_c.msg_tit = "Kalveo";
    inst00.instpath3 = "C:\\Condor3";

    reset_run_state();

    EXPECT_TRUE(cmndta001.qrestart);
    EXPECT_TRUE(cmndta001.qkeepwnd);
    EXPECT_EQ(my_tas_1.numver, 3210);
    EXPECT_EQ(my_tas_c.msg_tit, "Kalveo");
    EXPECT_EQ(inst00.instpath3, "C:\\Condor3");

    cmndta001.qrestart = false;
    cmndta001.qkeepwnd = false;
    inst00.instpath3.clear();
}

} // namespace
} // namespace kalveo
