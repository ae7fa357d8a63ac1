#include "config/setting_values.h"
#include "config_fixture.h"

#include <gtest/gtest.h>

namespace kalveo {
namespace {

// Unreadable positions are logged: the log goes to a scratch folder.
using Positions = testing::ConfigTest;

TEST_F(Positions, LettersAndPixels) {
    EXPECT_EQ(parse_position("L"), kPosStart);
    EXPECT_EQ(parse_position("T"), kPosStart);
    EXPECT_EQ(parse_position("C"), kPosCentre);
    EXPECT_EQ(parse_position("R"), kPosEnd);
    EXPECT_EQ(parse_position("B"), kPosEnd);
    EXPECT_EQ(parse_position("120"), 120);
    EXPECT_EQ(parse_position("-5"), -5);
    EXPECT_FALSE(parse_position("left").has_value());
    EXPECT_FALSE(parse_position("c").has_value());
}

TEST_F(Positions, AnythingElseIsTheStart) {
    EXPECT_EQ(b2pos("middle"), kPosStart);
    EXPECT_EQ(b2pos("12.5"), kPosStart);
    EXPECT_NE(log_text().find("*** ERROR *** : 12.5"), std::string::npos);
}

TEST_F(Positions, WrittenBackAsLettersOrPixels) {
    EXPECT_EQ(pos2b(kPosStart), "L");
    EXPECT_EQ(pos2b(kPosCentre), "C");
    EXPECT_EQ(pos2b(kPosEnd), "R");
    EXPECT_EQ(pos2b(120), "120");
    EXPECT_EQ(pos2b(1000004), "1000004");
    EXPECT_EQ(pos2b_vertical(kPosStart), "T");
    EXPECT_EQ(pos2b_vertical(kPosEnd), "B");
    EXPECT_EQ(pos2b_vertical(kPosCentre), "C");
    EXPECT_EQ(pos2b_vertical(-3), "-3");
    for (const int pos : {kPosStart, kPosCentre, kPosEnd, 0, 1, 1919, 1000004}) {
        EXPECT_EQ(b2pos(pos2b(pos)), pos);
        EXPECT_EQ(b2pos(pos2b_vertical(pos)), pos);
    }
}

TEST(Percent, ScalesZeroToHundredOntoZeroTo255) {
    EXPECT_EQ(percent_to_level(50.0), 128);
    EXPECT_EQ(percent_to_level(100.0), 255);
    EXPECT_EQ(percent_to_level(0.0), 0);
    EXPECT_EQ(percent_to_level(0.2), 1);
    EXPECT_EQ(percent_to_level(150.0), 255);
    EXPECT_EQ(percent_to_level(-1.0), 255);
}

TEST(Percent, EveryWholePercentageSurvivesTheRoundTrip) {
    EXPECT_EQ(level_to_percent(128), 50);
    for (int p = 0; p <= 100; ++p)
        EXPECT_EQ(level_to_percent(percent_to_level(p)), p) << p;
}

TEST(Units, NamedUnitsAreMatchedExactly) {
    EXPECT_EQ(parse_unit("AUTO")->nunit, -1);
    EXPECT_EQ(parse_unit("kmh")->nunit, 0);
    EXPECT_EQ(parse_unit("kph")->name, "kmh");
    EXPECT_EQ(parse_unit("kts")->nunit, 1);
    EXPECT_EQ(parse_unit("mph")->nunit, 2);
    const auto fpf = parse_unit("fpf");
    EXPECT_EQ(fpf->nunit, 3);
    EXPECT_EQ(fpf->name, "kFpf");
    // Other spellings are not units and have no factor.
    EXPECT_FALSE(parse_unit("KTS").has_value());
    EXPECT_FALSE(parse_unit("auto").has_value());
}

TEST(Units, CustomUnitsHaveANameAndAPositiveFactor) {
    const auto knots = parse_unit("knots=1.9438444");
    ASSERT_TRUE(knots.has_value());
    EXPECT_EQ(knots->nunit, kCustomUnit);
    EXPECT_EQ(knots->name, "knots");
    EXPECT_DOUBLE_EQ(knots->factor, 1.9438444);

    const auto bare = parse_unit("3.6");
    ASSERT_TRUE(bare.has_value());
    EXPECT_EQ(bare->name, "");
    EXPECT_DOUBLE_EQ(bare->factor, 3.6);

    const auto slash = parse_unit("m/s=1");
    ASSERT_TRUE(slash.has_value());
    EXPECT_EQ(slash->name, "m/s");

    EXPECT_EQ(parse_unit(std::string(50, 'x') + "=2")->name, std::string(40, 'x'));
    EXPECT_FALSE(parse_unit("knots").has_value());
    EXPECT_FALSE(parse_unit("knots=0").has_value());
    EXPECT_FALSE(parse_unit("knots=-2").has_value());
    EXPECT_FALSE(parse_unit("knots=").has_value());
}

TEST(Units, WrittenTextReadsBackAsTheSameUnit) {
    for (const int nunit : {-1, 0, 1, 2, 3})
        EXPECT_EQ(parse_unit(unit_text(nunit, "", 0))->nunit, nunit);
    const auto custom = parse_unit(unit_text(kCustomUnit, "kmh10", 0.36123456789));
    ASSERT_TRUE(custom.has_value());
    EXPECT_EQ(custom->nunit, kCustomUnit);
    EXPECT_EQ(custom->name, "kmh10");
    EXPECT_NEAR(custom->factor, 0.36123456789, 1e-9);
    const auto nameless = parse_unit(unit_text(kCustomUnit, "", 2.5));
    ASSERT_TRUE(nameless.has_value());
    EXPECT_EQ(nameless->name, "");
    EXPECT_DOUBLE_EQ(nameless->factor, 2.5);
}

} // namespace
} // namespace kalveo
