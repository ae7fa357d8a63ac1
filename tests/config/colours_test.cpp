#include "config/colours.h"

#include <gtest/gtest.h>

namespace kalveo {
namespace {

TEST(Colours, NamesInAnyCase) {
    EXPECT_EQ(txt2rgb("RED"), 0xFF0000);
    EXPECT_EQ(txt2rgb("yellow"), 0xFFFF00);
    EXPECT_EQ(txt2rgb("Gray"), 0x7F7F7F);
    EXPECT_EQ(txt2rgb("GREY"), 0x7F7F7F);
    EXPECT_EQ(txt2rgb("black"), 0x000000);
    EXPECT_EQ(txt2rgb("White"), 0xFFFFFF);
    EXPECT_EQ(txt2rgb("cyan"), 0x00FFFF);
    EXPECT_EQ(txt2rgb("magenta"), 0xFF00FF);
    EXPECT_EQ(txt2rgb("green"), 0x00FF00);
    EXPECT_EQ(txt2rgb("blue"), 0x0000FF);
}

TEST(Colours, HashAndSixHexDigitsInEitherCase) {
    EXPECT_EQ(txt2rgb("#873E23"), 0x873E23);
    EXPECT_EQ(txt2rgb("#82b4e6"), 0x82B4E6);
    EXPECT_EQ(txt2rgb("#000000"), 0);
    EXPECT_EQ(txt2rgb("#FF7F00 orange"), 0xFF7F00);
}

TEST(Colours, AnythingElseIsGrey) {
    EXPECT_EQ(txt2rgb("#GG0000"), kUnrecognisedColour);
    EXPECT_EQ(txt2rgb("#FFF"), kUnrecognisedColour);
    EXPECT_EQ(txt2rgb("#"), kUnrecognisedColour);
    EXPECT_EQ(txt2rgb("orange"), kUnrecognisedColour);
    EXPECT_EQ(txt2rgb("FF0000"), kUnrecognisedColour);
    EXPECT_FALSE(parse_colour("redd").has_value());
}

TEST(Colours, WrittenAsHashAndUpperCaseHexReadBackTheSame) {
    EXPECT_EQ(rgb2txt(0x873E23), "#873E23");
    EXPECT_EQ(rgb2txt(0x7f), "#00007F");
    EXPECT_EQ(rgb2txt(0xFFFFFF), "#FFFFFF");
    for (int rgb = 0; rgb <= 0xFFFFFF; rgb += 0x010203)
        EXPECT_EQ(txt2rgb(rgb2txt(rgb)), rgb);
}

} // namespace
} // namespace kalveo
