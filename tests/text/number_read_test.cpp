#include "text/number_read.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>

namespace kalveo {
namespace {

TEST(ReadInt, TakesTheFirstItemOfTheValue) {
    EXPECT_EQ(read_int("55278"), 55278);
    EXPECT_EQ(read_int("  -7"), -7);
    EXPECT_EQ(read_int("+7"), 7);
    EXPECT_EQ(read_int("007"), 7);
    EXPECT_EQ(read_int("12 kts"), 12);
    EXPECT_EQ(read_int("12,5"), 12);
    EXPECT_EQ(read_int("12/3"), 12);
    EXPECT_EQ(read_int("12\r\n"), 12);
    EXPECT_EQ(read_int("12\tx"), 12);
}

TEST(ReadInt, RejectsWhatIsNotWhollyAnInteger) {
    EXPECT_FALSE(read_int("12.0"));
    EXPECT_FALSE(read_int("1e3"));
    EXPECT_FALSE(read_int("12abc"));
    EXPECT_FALSE(read_int("abc"));
    EXPECT_FALSE(read_int("0x1F"));
    EXPECT_FALSE(read_int("-"));
    EXPECT_FALSE(read_int("+-5"));
    EXPECT_FALSE(read_int("--5"));
    EXPECT_FALSE(read_int(""));
    EXPECT_FALSE(read_int("   "));
    EXPECT_FALSE(read_int(",5"));
}

TEST(ReadInt, OverflowIsAnError) {
    EXPECT_EQ(read_int("2147483647"), std::numeric_limits<int>::max());
    EXPECT_EQ(read_int("-2147483648"), std::numeric_limits<int>::min());
    EXPECT_FALSE(read_int("2147483648"));
    EXPECT_FALSE(read_int("-99999999999999999999"));
}

TEST(ReadReal, AcceptsEveryFortranNotation) {
    EXPECT_DOUBLE_EQ(*read_real("1.5"), 1.5);
    EXPECT_DOUBLE_EQ(*read_real("15"), 15.0);
    EXPECT_DOUBLE_EQ(*read_real(".5"), 0.5);
    EXPECT_DOUBLE_EQ(*read_real("5."), 5.0);
    EXPECT_DOUBLE_EQ(*read_real("-1.5E3"), -1500.0);
    EXPECT_DOUBLE_EQ(*read_real("+2.5e-1"), 0.25);
    EXPECT_DOUBLE_EQ(*read_real("1.5d-2"), 0.015);
    EXPECT_DOUBLE_EQ(*read_real("1.5D2"), 150.0);
}

TEST(ReadReal, TakesTheFirstItemOfTheValue) {
    EXPECT_DOUBLE_EQ(*read_real("  3.25 m/s"), 3.25);
    EXPECT_DOUBLE_EQ(*read_real("3,5"), 3.0);
    EXPECT_DOUBLE_EQ(*read_real("1013.25/hPa"), 1013.25);
    EXPECT_DOUBLE_EQ(*read_real("-0.0037\r\n"), -0.0037);
}

TEST(ReadReal, RejectsNonNumbers) {
    EXPECT_FALSE(read_real("nan"));
    EXPECT_FALSE(read_real("inf"));
    EXPECT_FALSE(read_real("-Infinity"));
    EXPECT_FALSE(read_real("0x1p3"));
    EXPECT_FALSE(read_real("1.5e"));
    EXPECT_FALSE(read_real("e5"));
    EXPECT_FALSE(read_real("."));
    EXPECT_FALSE(read_real("1.2.3"));
    EXPECT_FALSE(read_real("1.5kts"));
    EXPECT_FALSE(read_real("+-1"));
    EXPECT_FALSE(read_real(""));
    EXPECT_FALSE(read_real("/"));
}

TEST(ReadReal, OverflowIsAnErrorUnderflowIsZero) {
    EXPECT_FALSE(read_real("1e400"));
    EXPECT_FALSE(read_real("-123456.7e305"));
    const auto tiny = read_real("-0.001e-400");
    ASSERT_TRUE(tiny);
    EXPECT_EQ(*tiny, 0.0);
    EXPECT_TRUE(std::signbit(*tiny));
    EXPECT_EQ(read_real("1e-400"), 0.0);
    EXPECT_DOUBLE_EQ(*read_real("1.7976931348623157e308"), std::numeric_limits<double>::max());
}

} // namespace
} // namespace kalveo
