// The horizon's arithmetic: where the horizon cuts the ball, line widths and font size for the
// window, the wind, slip and g-meter positions.
#include "display/horizon_geometry.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>

namespace kalveo {
namespace {

TEST(HorizonSplit, PitchMovesTheLineAndFillsTheBallAt45Degrees) {
    struct Case {
        float pitch;
        bool std_horizon;
        int ig1, ig2;
        float p;
    };
    const Case cases[] = {
        {0.0F, false, 18, 54, 0.0F},       {0.0F, true, 18, 54, 0.0F},
        {45.0F, false, 36, 36, -1.0F},     {60.0F, true, 36, 36, -1.0F},
        {-45.0F, false, 0, 71, 1.0F},      {-80.0F, true, 0, 71, 1.0F},
        {-30.0F, false, 10, 62, 0.57735F}, // nose down: the line cuts 55 degrees off the top
    };
    for (const Case& c : cases) {
        const HorizonSplit s = horizon_split(c.pitch, make_horizon_circle(c.std_horizon));
        EXPECT_EQ(s.ig1, c.ig1) << c.pitch;
        EXPECT_EQ(s.ig2, c.ig2) << c.pitch;
        EXPECT_NEAR(s.p, c.p, 1e-5) << c.pitch;
    }
}

TEST(HorizonSplit, TheLineEndsOnTheCircleAndSurvivesBrokenPitch) {
    const HorizonCircle unit = make_horizon_circle(false);
    EXPECT_FLOAT_EQ(horizon_split(0.0F, unit).c, 1.0F);
    EXPECT_FLOAT_EQ(horizon_split(0.0F, make_horizon_circle(true)).c, 1.1F);
    for (float pitch = -44.0F; pitch < 44.0F; pitch += 0.7F) {
        const HorizonSplit s = horizon_split(pitch, unit);
        EXPECT_NEAR(s.c * s.c + s.p * s.p, 1.0F, 1e-4) << pitch;
        // The sky part ends at the last circle point above the line.
        EXPECT_GE(unit.inner[static_cast<std::size_t>(s.ig1)].y, s.p) << pitch;
        EXPECT_LT(unit.inner[static_cast<std::size_t>(s.ig1) + 1].y, s.p) << pitch;
    }
    // Just above -1 on the unit circle the line passes below point 35.
    EXPECT_EQ(horizon_split(44.95F, unit).ig1, 35);
    const HorizonSplit nan = horizon_split(std::numeric_limits<float>::quiet_NaN(), unit);
    EXPECT_EQ(nan.ig1, 18);
    EXPECT_EQ(nan.ig2, 54);
}

TEST(HorizonCircle, PointsRunClockwiseFromTheTop) {
    const HorizonCircle c = make_horizon_circle(false);
    EXPECT_NEAR(c.inner[0].y, 1.0F, 1e-6);
    EXPECT_NEAR(c.inner[18].x, 1.0F, 1e-6);  // right
    EXPECT_NEAR(c.inner[36].y, -1.0F, 1e-6); // bottom
    EXPECT_NEAR(c.inner[54].x, -1.0F, 1e-6); // left
    EXPECT_NEAR(c.outer[9].x * c.outer[9].x + c.outer[9].y * c.outer[9].y, 1.15F * 1.15F, 1e-5);
    const HorizonCircle s = make_horizon_circle(true);
    EXPECT_NEAR(s.outer[0].y, 1.15F, 1e-5); // the outer circle is the same in both styles
}

TEST(HorizonSizes, LineWidthsAndFontFollowTheWindow) {
    EXPECT_FLOAT_EQ(line_width_factor(120), 1.0F);
    EXPECT_FLOAT_EQ(line_width_factor(360), 2.0F);
    EXPECT_FLOAT_EQ(line_width(1.5F, line_width_factor(360)), 3.0F);
    EXPECT_FLOAT_EQ(line_width(1.2F, line_width_factor(40)), 1.0F); // never below one pixel

    // A font whose "000" is 1.5 x size wide and 0.7 x size high.
    const MeasureAtSize font = [](int size) { return TextSize{size * 3 / 2, size * 7 / 10}; };
    std::vector<std::string> trace;
    const int size = fitted_horizon_font_size(150, 150, font, &trace);
    // The first size whose box corner comes inside the circle.
    const auto inside = [](int size_) {
        const int xc = 75 - size_ * 3 / 2;
        const int yc = 75 - size_ * 7 / 10;
        return xc * xc + yc * yc <= 150 * 150 / 4;
    };
    EXPECT_TRUE(inside(size));
    EXPECT_FALSE(inside(size - 1));
    EXPECT_EQ(trace.front().rfind("HorFontSize xc yc rc2 r2 15 ", 0), 0U) << trace.front();
    EXPECT_EQ(trace.size(), static_cast<std::size_t>(size - 15 + 1));
    // A font that measures nothing still ends the search.
    EXPECT_EQ(fitted_horizon_font_size(150, 150, [](int) { return TextSize{}; }), 150);
    EXPECT_EQ(horizon_font_size(0, 24, 150, 150, font), 24);
    EXPECT_EQ(horizon_font_size(13, 24, 150, 150, font), 13);
    EXPECT_EQ(horizon_font_size(-1, 24, 150, 150, font), size);
}

TEST(HorizonMarks, WindIsBroughtIntoPlusMinus180) {
    struct Case {
        float compass, wind, want;
    };
    for (const Case c : {Case{10, 350, 20}, Case{350, 10, -20}, Case{0, 180, -180}, Case{90, 90, 0},
                         Case{720, 0, 0}, Case{-30, 200, 130}}) {
        EXPECT_NEAR(relative_wind(c.compass, c.wind), c.want, 1e-4) << c.compass << " " << c.wind;
        EXPECT_LE(std::fabs(relative_wind(c.compass, c.wind)), 180.0F);
    }
    EXPECT_EQ(relative_wind(std::numeric_limits<float>::infinity(), 10.0F), -10.0F);
}

TEST(HorizonMarks, SlipTipAndGMeterStayInTheWindow) {
    EXPECT_FLOAT_EQ(slip_tip_x(120, 0.0F, 1), 60.0F);
    EXPECT_FLOAT_EQ(slip_tip_x(120, 0.25F, 1), 120.0F * 0.7F);
    EXPECT_NEAR(slip_tip_x(120, 0.25F, 2), 120.0F * (std::sin(0.75F) * 0.48F + 0.5F), 1e-3);
    EXPECT_FLOAT_EQ(slip_tip_x(120, 3.0F, 1), 120.0F); // beyond the scale: at the edge
    EXPECT_FLOAT_EQ(slip_tip_x(120, -3.0F, 1), 0.0F);

    const GMeter g = g_meter(200, 3.0F, -2.0F, 4.5F);
    ASSERT_EQ(g.ticks.size(), 21U);
    EXPECT_EQ(g.ticks.front(), 1); // -10 g at the bottom edge, kept inside
    EXPECT_EQ(g.ticks[10], 100);   // 0 g in the middle
    EXPECT_EQ(g.ticks.back(), 199);
    EXPECT_FLOAT_EQ(g.bar_top, 130.0F);
    EXPECT_EQ(g.min_mark, 80);
    EXPECT_EQ(g.max_mark, 145);
    const GMeter wild = g_meter(200, 50.0F, -15.0F, 14.0F);
    EXPECT_EQ(wild.min_mark, 1);
    EXPECT_EQ(wild.max_mark, 199);
    EXPECT_FLOAT_EQ(wild.bar_top, 200.0F);
    EXPECT_EQ(g_tick_length(-5), 10);
    EXPECT_EQ(g_tick_length(3), 5);
}

} // namespace
} // namespace kalveo
