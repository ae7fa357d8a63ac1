#include "text/fortran_format.h"
#include "text/value_format.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>

namespace kalveo {
namespace {

TEST(I2b, WritesTheIntegerLeftAdjusted) {
    EXPECT_EQ(i2b(-5), "-5");
    EXPECT_EQ(i2b(0), "0");
    EXPECT_EQ(i2b(1000002), "1000002");
    EXPECT_EQ(i2b(std::numeric_limits<int>::min()), "-2147483648");
}

TEST(I2b, NarrowFieldShowsAsterisks) {
    EXPECT_EQ(i2b(12345, 3), "***");
    EXPECT_EQ(i2b(-12, 2), "**");
    EXPECT_EQ(i2b(999, 3), "999");
    // The field is never wider than sixteen.
    EXPECT_EQ(i2b(12345678901234567LL, 40), std::string(16, '*'));
}

TEST(F2b, DropsUselessZerosAndThePoint) {
    EXPECT_EQ(f2b(15.0, "(F8.1)"), "15");
    EXPECT_EQ(f2b(2.0, "(F8.4)"), "2");
    EXPECT_EQ(f2b(1.5, "(F8.4)"), "1.5");
    EXPECT_EQ(f2b(100.0, "(F8.2)"), "100");
    EXPECT_EQ(f2b(-12.25, "(F8.2)"), "-12.25");
    EXPECT_EQ(f2b(0.0, "(F8.2)"), "0");
}

TEST(F2b, KeepsTheLeadingZeroTheFormatWrites) {
    EXPECT_EQ(f2b(0.25, "(F8.4)"), "0.25");
    EXPECT_EQ(f2b(-0.5, "(F8.2)"), "-0.5");
    // A field too narrow for the zero drops it, as a fixed-width write does.
    EXPECT_EQ(f2b(0.5, "(F3.2)"), ".5");
}

TEST(F2b, RoundsToTheFormatsDecimals) {
    EXPECT_EQ(f2b(2.0 / 3.0, "(F8.2)"), "0.67");
    EXPECT_EQ(f2b(1.996, "(F8.2)"), "2");
    EXPECT_EQ(f2b(0.0000001, "(f12.7)"), "0.0000001");
}

TEST(F2b, LargeValuesKeepAboutNineSignificantDigits) {
    EXPECT_EQ(f2b(123.456789012, "(f12.7)"), "123.456789");
    EXPECT_EQ(f2b(1234567.891, "(f12.7)"), "1234567.89");
    EXPECT_EQ(f2b(-1234567.891, "(f12.7)"), "-1234567.89");
    EXPECT_EQ(f2b(1.5e9, "(F20.4)"), "1500000000");
    // Below 1 the decimals are not limited.
    EXPECT_EQ(f2b(0.123456789, "(F12.9)"), "0.123456789");
}

TEST(F2b, OverflowFillsTheFieldWithAsterisks) {
    EXPECT_EQ(f2b(12345.0, "(F4.1)"), "****");
    EXPECT_EQ(f2b(1e20, "(f12.7)"), "************");
}

TEST(F2b, ExponentFormatLosesMantissaZerosOnly) {
    EXPECT_EQ(f2b(1500.0, "(E12.4)"), "0.15E+04");
    EXPECT_EQ(f2b(-0.00125, "(E12.4)"), "-0.125E-02");
    // The exponent's own zeros are digits of the number.
    EXPECT_EQ(f2b(1.0e10, "(E12.4)"), "0.1E+11");
    EXPECT_EQ(f2b(123456.0, "(E12.4)"), "0.1235E+06");
    // The format letter may be written in either case.
    EXPECT_EQ(f2b(25.0, "(e12.4)"), "0.25E+02");
}

TEST(F2b, NonFiniteValuesAreNamed) {
    EXPECT_EQ(f2b(std::nan(""), "(F8.2)"), "NaN");
    EXPECT_EQ(f2b(-std::numeric_limits<double>::infinity(), "(F12.2)"), "-Infinity");
    EXPECT_EQ(f2b(std::numeric_limits<double>::infinity(), "(F5.2)"), "Inf");
}

TEST(F2b, UnreadableFormatStillWritesTheValue) {
    EXPECT_EQ(f2b(1.25, "(G8.2)"), "1.25");
    EXPECT_EQ(f2b(1.25, ""), "1.25");
}

TEST(L2b, WritesOneOrZero) {
    EXPECT_EQ(l2b(true), "1");
    EXPECT_EQ(l2b(false), "0");
}

TEST(NumverToChar, SeparatesTheDigitsWithPoints) {
    EXPECT_EQ(numver_to_char(3210), "3.2.1.0");
    EXPECT_EQ(numver_to_char(2034), "2.0.3.4");
    EXPECT_EQ(numver_to_char(12345), "12.3.4.5");
    EXPECT_EQ(numver_to_char(0), "0.0.0.0");
    // A major number wider than its two places overflows like any field.
    EXPECT_EQ(numver_to_char(123456), "**.4.5.6");
}

TEST(FortranFormat, ReadsTheFormatsInUse) {
    const auto f = parse_fortran_format("(f12.7)");
    ASSERT_TRUE(f);
    EXPECT_EQ(f->kind, 'F');
    EXPECT_EQ(f->width, 12);
    EXPECT_EQ(f->decimals, 7);
    const auto e = parse_fortran_format(" ( E12.4 ) ");
    ASSERT_TRUE(e);
    EXPECT_EQ(e->kind, 'E');
    const auto i = parse_fortran_format("(I5)");
    ASSERT_TRUE(i);
    EXPECT_EQ(i->kind, 'I');
    EXPECT_EQ(i->width, 5);
}

TEST(FortranFormat, RejectsOtherFormats) {
    EXPECT_FALSE(parse_fortran_format("(A10)"));
    EXPECT_FALSE(parse_fortran_format("(F8)"));
    EXPECT_FALSE(parse_fortran_format("(F8.2,I3)"));
    EXPECT_FALSE(parse_fortran_format("(I5.2)"));
    EXPECT_FALSE(parse_fortran_format("(E0.4)"));
    EXPECT_FALSE(parse_fortran_format("(E12.0)"));
    EXPECT_FALSE(parse_fortran_format("(F99999.2)"));
    EXPECT_FALSE(parse_fortran_format("()"));
}

TEST(FortranFormat, RightJustifiesInTheField) {
    EXPECT_EQ(write_fortran_int(42, 5), "   42");
    EXPECT_EQ(write_fortran_int(-42, 0), "-42");
    EXPECT_EQ(write_fortran_real(-12.5, {'F', 8, 2}), "  -12.50");
    EXPECT_EQ(write_fortran_real(15.0, {'F', 0, 0}), "15.");
    EXPECT_EQ(write_fortran_real(0.0, {'E', 10, 3}), " 0.000E+00");
    EXPECT_EQ(write_fortran_real(1e200, {'E', 12, 4}), "  0.1000+201");
    EXPECT_EQ(write_fortran_real(2.6, {'I', 3, 0}), "  3");
    EXPECT_EQ(write_fortran_real(1e30, {'I', 3, 0}), "***");
}

} // namespace
} // namespace kalveo
