// Settings colours and blink partners.
#include "display/display_state.h"

#include <cmath>
#include <gtest/gtest.h>
#include <numbers>

namespace kalveo {
namespace {

double luma(const RgbF& c) {
    return 0.3 * c[0] + 0.59 * c[1] + 0.11 * c[2];
}

/// Hue angle (degrees) of the colour-difference signals.
double hue(const RgbF& c) {
    const double y = luma(c);
    const double h = std::atan2((c[0] - y) * 0.87002933, (c[2] - y) * 0.493);
    return h * 180.0 / std::numbers::pi;
}

double hue_difference(double a, double b) {
    const double d = std::fmod(std::abs(a - b), 360.0);
    return d > 180.0 ? 360.0 - d : d;
}

TEST(ConvertColor, SplitsTheSettingIntoRedGreenBlue) {
    EXPECT_EQ(ConvertColor_US(0x123456), (Rgb8{0x12, 0x34, 0x56}));
    EXPECT_EQ(ConvertColor_US(0xFF0000), (Rgb8{255, 0, 0}));
    EXPECT_EQ(ConvertColor_US(0x0000FF), (Rgb8{0, 0, 255}));
    const RgbF c = ConvertColor(0x80FF00);
    EXPECT_FLOAT_EQ(c[0], 128.0F / 255.0F);
    EXPECT_FLOAT_EQ(c[1], 1.0F);
    EXPECT_FLOAT_EQ(c[2], 0.0F);
}

TEST(ConvertColor, KeepsComponentsInRangeForValuesThatAreNoColour) {
    for (int value : {-1, 0x7FFFFFFF, 0x1000000, -0x123456}) {
        const RgbF c = ConvertColor(value);
        for (float component : c) {
            EXPECT_GE(component, 0.0F) << value;
            EXPECT_LE(component, 1.0F) << value;
        }
    }
}

TEST(BlinkPartner, MakesLightColoursDarkKeepingTheirHue) {
    for (const RgbF light : {RgbF{0.5F, 1.0F, 1.0F}, RgbF{1.0F, 1.0F, 0.0F}, RgbF{1.0F, 0.7F, 0.7F},
                             RgbF{0.6F, 1.0F, 0.4F}}) {
        RgbF partner{};
        setblinkcolor(light, partner);
        EXPECT_NEAR(luma(partner), 0.30, 0.01) << light[0] << " " << light[1] << " " << light[2];
        EXPECT_LT(hue_difference(hue(partner), hue(light)), 3.0);
    }
}

TEST(BlinkPartner, MakesDarkColoursLightKeepingTheirHue) {
    for (const RgbF dark : {RgbF{0.0F, 0.5F, 0.0F}, RgbF{1.0F, 0.0F, 0.0F}, RgbF{0.4F, 0.2F, 0.0F},
                            RgbF{0.0F, 0.0F, 1.0F}, RgbF{0.4F, 0.0F, 0.6F}}) {
        const RgbF partner = blink_partner(dark);
        EXPECT_GT(luma(partner), luma(dark) + 0.2);
        EXPECT_NEAR(luma(partner), 0.90, 0.02) << dark[0] << " " << dark[1] << " " << dark[2];
        EXPECT_LT(hue_difference(hue(partner), hue(dark)), 3.0);
    }
}

TEST(BlinkPartner, StaysADisplayableColourForAnyInput) {
    for (const RgbF c : {RgbF{0, 0, 0}, RgbF{1, 1, 1}, RgbF{0.5F, 0.5F, 0.5F},
                         RgbF{2.0F, -1.0F, 0.5F}, RgbF{0.0F, 1.0F, 1.0F}}) {
        const RgbF partner = blink_partner(c);
        for (float component : partner) {
            EXPECT_GE(component, 0.0F);
            EXPECT_LE(component, 1.0F);
        }
    }
}

TEST(BlinkPartner, BlackBecomesLightAndWhiteBecomesDark) {
    EXPECT_GT(luma(blink_partner({0, 0, 0})), 0.85);
    EXPECT_LT(luma(blink_partner({1, 1, 1})), 0.35);
}

} // namespace
} // namespace kalveo
