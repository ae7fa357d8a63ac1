// Where the windows go: position codes, the text window's height, the horizon's cycle.
#include "display/display_state.h"
#include "display/placement.h"
#include "display/start_graphics.h"

#include <gtest/gtest.h>

namespace kalveo {
namespace {

class PlacementTest : public ::testing::Test {
  protected:
    void SetUp() override {
        display.ScreenWidth = 1920;
        display.ScreenHeight = 1080;
    }

    DisplayStateRecord display;
};

CpwWindowInfo sized(int width, int height) {
    CpwWindowInfo w;
    w.width = width;
    w.height = height;
    return w;
}

TEST_F(PlacementTest, RightTopCodesPutTheTextWindowInTheCorner) {
    const CpwWindowInfo w = adjust_position(display, sized(336, 30), kPositionEnd, kPositionStart);
    EXPECT_EQ(w.x, 1584);
    EXPECT_EQ(w.y, 0);
}

TEST_F(PlacementTest, QuarterDownCentresTheWindowOnAQuarterOfTheScreen) {
    const CpwWindowInfo w =
        adjust_position(display, sized(300, 300), kPositionCentre, kPositionQuarter);
    EXPECT_EQ(w.x, 960 - 150);
    EXPECT_EQ(w.y, 120);
}

TEST_F(PlacementTest, CentreAndEndUseIntegerHalves) {
    EXPECT_EQ(resolve_x(kPositionCentre, 1001, 11), 500 - 5);
    EXPECT_EQ(resolve_y(kPositionCentre, 1001, 11), 500 - 5);
    EXPECT_EQ(resolve_y(kPositionEnd, 1080, 31), 1049);
    EXPECT_EQ(resolve_x(kPositionStart, 1920, 400), 0);
}

TEST_F(PlacementTest, OtherValuesArePixelsUsedAsTheyAre) {
    EXPECT_EQ(resolve_x(250, 1920, 336), 250);
    EXPECT_EQ(resolve_y(-40, 1080, 30), -40);
    // A quarter down has no horizontal meaning: the number stays a pixel position.
    EXPECT_EQ(resolve_x(kPositionQuarter, 1920, 336), kPositionQuarter);
}

TEST_F(PlacementTest, TheSettingsKeepTheirCodes) {
    display.DisWinX = kPositionEnd;
    const CpwWindowInfo w = adjust_position(display, sized(336, 30), display.DisWinX, 10);
    EXPECT_EQ(w.x, 1584);
    EXPECT_EQ(w.y, 10);
    EXPECT_EQ(display.DisWinX, kPositionEnd);
}

TEST(VertMarginTest, AnEighthOfTheFontRoundedWithAMinimumOfThree) {
    EXPECT_EQ(vert_margin_for(16), 3);
    EXPECT_EQ(vert_margin_for(24), 3);
    EXPECT_EQ(vert_margin_for(40), 5);
    EXPECT_EQ(vert_margin_for(44), 6); // 5.5 rounds up
}

class HeightTest : public PlacementTest {};

TEST_F(HeightTest, OneLineIsTheFontBetweenTwoMargins) {
    display.numlin = 1;
    display.FontSize = 24;
    display.VertMargin = 3;
    EXPECT_EQ(ComputeHeight(display), 30);
}

TEST_F(HeightTest, SeveralLinesAddAMarginPerLineAndTwoMore) {
    display.numlin = 5;
    display.FontSize = 40;
    display.VertMargin = 5;
    EXPECT_EQ(ComputeHeight(display), 5 * 40 + 7 * 5);
}

class HorizonCycleTest : public PlacementTest {
  protected:
    void SetUp() override {
        PlacementTest::SetUp();
        display.HorWinInfo = sized(150, 150);
        display.HorWinInfo.x = 885;
        display.HorWinInfo.y = 0;
        display.HorSveX = 885;
        display.HorSveY = 0;
        display.DrawHorizon = 1;
    }
};

TEST_F(HorizonCycleTest, CentredThenParkedThenBackInPlace) {
    display.HorWinInfo.x = 100; // moved with the arrow keys since start-up
    display.HorWinInfo.y = 200;

    SetHorPos(display, nullptr);
    EXPECT_EQ(display.DrawHorizon, 2);
    EXPECT_EQ(display.HorWinInfo.x, 960 - 75);
    EXPECT_EQ(display.HorWinInfo.y, 270 - 75);
    EXPECT_EQ(display.HorSveX, 100);
    EXPECT_EQ(display.HorSveY, 200);

    SetHorPos(display, nullptr);
    EXPECT_EQ(display.DrawHorizon, 0);
    EXPECT_EQ(display.HorWinInfo.x, kParkedPosition);
    EXPECT_EQ(display.HorWinInfo.y, kParkedPosition);

    SetHorPos(display, nullptr);
    EXPECT_EQ(display.DrawHorizon, 1);
    EXPECT_EQ(display.HorWinInfo.x, 100);
    EXPECT_EQ(display.HorWinInfo.y, 200);
}

} // namespace
} // namespace kalveo
