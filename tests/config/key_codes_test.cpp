#include "config/key_codes.h"

#include <gtest/gtest.h>

namespace kalveo {
namespace {

TEST(KeyCodes, ReadsCharactersNumbersAndScanCodes) {
    EXPECT_EQ(b2k("\"O\""), 79);
    EXPECT_EQ(b2k("ASC112"), 112);
    EXPECT_EQ(b2k("SCN30"), -30);
    EXPECT_EQ(b2k("73"), 73);
    EXPECT_EQ(b2k("0"), 0);
    // A double quote between double quotes is the quote character itself.
    EXPECT_EQ(b2k("\"\"\""), 34);
}

TEST(KeyCodes, ModifiersAddTheirBitsTimesTenThousand) {
    EXPECT_EQ(b2k("CTRL+SHFT+\"O\""), 30079);
    EXPECT_EQ(b2k("LONG+\"I\""), 80073);
    EXPECT_EQ(b2k("ALT+ASC112"), 40112);
    // A scan code with CTRL is written 10000 - 30.
    EXPECT_EQ(b2k("CTRL+SCN30"), 9970);
    EXPECT_EQ(b2k("LONG+CTRL+SHFT+ALT+\"A\""), 150065);
}

TEST(KeyCodes, PrefixesOnlyCountInTheirOrder) {
    // SHFT before CTRL leaves "CTRL+..." as the key, which is no key at all.
    EXPECT_FALSE(b2k("SHFT+CTRL+\"O\"").has_value());
    EXPECT_FALSE(b2k("ctrl+\"O\"").has_value());
}

TEST(KeyCodes, TextThatIsNoKeyGivesNothing) {
    EXPECT_FALSE(b2k("").has_value());
    EXPECT_FALSE(b2k("O").has_value());
    EXPECT_FALSE(b2k("ASC").has_value());
    EXPECT_FALSE(b2k("SCNx").has_value());
    EXPECT_FALSE(b2k("1.5").has_value());
    EXPECT_FALSE(b2k("\"O").has_value());
    EXPECT_FALSE(b2k("LONG+ASC2147483647").has_value());
}

TEST(KeyCodes, WritesTheFormsAPilotReads) {
    EXPECT_EQ(k2b(30079), "CTRL+SHFT+\"O\"");
    EXPECT_EQ(k2b(9970), "CTRL+SCN30");
    EXPECT_EQ(k2b(-30), "SCN30");
    EXPECT_EQ(k2b(0), "0");
    // F1 (112) is also the code of "p", and is written as such.
    EXPECT_EQ(k2b(112), "\"p\"");
    EXPECT_EQ(k2b(200), "ASC200");
    EXPECT_EQ(k2b(33), "ASC33");
    EXPECT_EQ(k2b(127), "ASC127");
    EXPECT_EQ(k2b(34), "\"\"\"");
    EXPECT_EQ(k2b(126), "\"~\"");
    EXPECT_EQ(k2b(80073), "LONG+\"I\"");
}

TEST(KeyCodes, EveryWrittenCodeReadsBackTheSame) {
    for (int mask = 0; mask <= 15; ++mask) {
        for (int key = -400; key <= 400; key += 3) {
            const int code = key + mask * 10000;
            EXPECT_EQ(b2k(k2b(code)), code) << k2b(code);
        }
    }
    for (const int code : {10000, 200000, -10030, 6000, 2147483647, -2147483647 - 1})
        EXPECT_EQ(b2k(k2b(code)), code) << k2b(code);
}

} // namespace
} // namespace kalveo
