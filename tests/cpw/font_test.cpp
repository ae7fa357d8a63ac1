// Font options, host font lookup, measuring, and the colouring of glyph coverage.
#include <ft2build.h>
#include FT_FREETYPE_H
#include "cpw/cpw_context.h"
#include "cpw/cpw_font.h"
#include "platform/font_names.h"
#include "platform/host_fonts.h"
#include "support/test_files.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace kalveo {
namespace {

/// A context with its font state only: no video, no windows.
class FontTest : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(cpw_font_init(cpw)); }
    void TearDown() override { cpw_font_exit(cpw); }

    CpwFontBBox measure(CpwFontFace face, std::string_view text) {
        CpwFontBBox box;
        EXPECT_TRUE(cpwGetFontBBox(cpw, face, text, &box));
        return box;
    }

    CpwContext context;
    pCpw cpw = &context;
};

TEST_F(FontTest, ModesReturnThePreviousValue) {
    EXPECT_EQ(cpwFontMode(cpw, CPW_FONTOPT_SIZE, 24), 16);
    EXPECT_EQ(cpwFontMode(cpw, CPW_FONTOPT_SIZE, 10), 24);
    EXPECT_EQ(cpwFontMode(cpw, CPW_FONTOPT_KERN, 1), 0);
    EXPECT_EQ(cpwFontMode(cpw, CPW_FONTOPT_PIXELMAP_GLFORMAT, CPW_GL_RGBA), CPW_GL_LUMINANCE);
    EXPECT_EQ(cpwFontMode(cpw, CPW_FONTOPT_ALIGNCENTER, 0), CPW_FONTOPT_ALIGNLEFT);
    EXPECT_EQ(cpwFontMode(cpw, CPW_FONTOPT_ALIGNLEFT, 0), CPW_FONTOPT_ALIGNCENTER);
    EXPECT_EQ(cpwFontMode(cpw, CPW_FONTOPT_SPACING, 2), 1);
    EXPECT_EQ(cpwFontMode(cpw, CPW_FONTOPT_LAYOUTDEBUG, 1), 0);
    EXPECT_EQ(cpwFontMode(cpw, CPW_FONTOPT_PIXELMAP, 0), 1);
    EXPECT_EQ(cpw_error_get(cpw), CPW_NOERROR);
}

TEST_F(FontTest, BadOptionsAndValuesAreRefusedWithError3) {
    const std::pair<int, int> bad[] = {
        {CPW_FONTOPT_KERN, 2},
        {CPW_FONTOPT_LAYOUTDEBUG, -1},
        {CPW_FONTOPT_SPACING, -1},
        {CPW_FONTOPT_SIZE, 0},
        {CPW_FONTOPT_SIZE, -12},
        {CPW_FONTOPT_PIXELMAP_GLFORMAT, 1234},
        {CPW_FONTOPT_PICASIZE, 12},
        {CPW_FONTOPT_SCREENWIDTH, 800},
        {99, 0},
    };
    for (const auto& [option, value] : bad) {
        cpw_error_set(cpw, CPW_NOERROR);
        EXPECT_EQ(cpwFontMode(cpw, option, value), -1) << option << " " << value;
        EXPECT_EQ(cpw_error_get(cpw), CPW_BADARGUMENT_ERROR) << option << " " << value;
    }
    // A refused value leaves the option as it was.
    EXPECT_EQ(cpwFontMode(cpw, CPW_FONTOPT_KERN, 1), 0);
    EXPECT_EQ(cpwFontMode(cpw, CPW_FONTOPT_SIZE, 12), 16);
}

std::string family_and_style(CpwFontFace face) {
    return std::string(face->family_name) + " " + face->style_name;
}

TEST_F(FontTest, WindowsFontNamesFindTheirMetricCompatibleFaces) {
    struct Case {
        const char* name;
        const char* face;
    } cases[] = {
        {"arial.ttf", "Liberation Sans Regular"},   {"arialbd.ttf", "Liberation Sans Bold"},
        {"ARIALBI", "Liberation Sans Bold Italic"}, {"ariali.TTF", "Liberation Sans Italic"},
        {"cour.ttf", "Liberation Mono Regular"},    {"timesbd.ttf", "Liberation Serif Bold"}};
    for (const Case& c : cases) {
        CpwFontFace face = cpwLoadFont(cpw, c.name, CPW_FONTLOC_HOST, "");
        ASSERT_NE(face, nullptr) << c.name;
        EXPECT_EQ(family_and_style(face), c.face) << c.name;
    }
}

TEST_F(FontTest, OtherNamesAreLookedUpAmongTheInstalledFiles) {
    CpwFontFace face = cpwLoadFont(cpw, "LiberationSansNarrow-Bold.ttf", CPW_FONTLOC_HOST, "");
    ASSERT_NE(face, nullptr);
    EXPECT_EQ(family_and_style(face), "Liberation Sans Narrow Bold");
}

TEST_F(FontTest, UnknownHostFontIsNone) {
    EXPECT_EQ(cpwLoadFont(cpw, "nosuchfont.ttf", CPW_FONTLOC_HOST, ""), nullptr);
    EXPECT_EQ(cpw_error_get(cpw), CPW_FREETYPE_ERROR);
    EXPECT_EQ(cpwLoadFont(cpw, "", CPW_FONTLOC_HOST, ""), nullptr);
}

TEST_F(FontTest, FontsFromAFolderReportWhatWentWrong) {
    testing::TempDir dir;
    EXPECT_EQ(cpwLoadFont(cpw, "arial.ttf", CPW_FONTLOC_RELATIVE, ""), nullptr);
    EXPECT_EQ(cpw_error_get(cpw), CPW_BADARGUMENT_ERROR);

    EXPECT_EQ(cpwLoadFont(cpw, "missing.ttf", CPW_FONTLOC_RELATIVE, dir.path().string()), nullptr);
    EXPECT_EQ(cpw_error_get(cpw), CPW_FREETYPE_ERROR);

    testing::write_file(dir / "junk.ttf", std::string("\x00\x01\xff garbage, not a font", 24));
    EXPECT_EQ(cpwLoadFont(cpw, "junk.ttf", CPW_FONTLOC_RELATIVE, dir.path().string()), nullptr);
    EXPECT_EQ(cpw_error_get(cpw), CPW_FONTFORMAT_ERROR);

    // A real font cut short.
    const std::string file = host_font_file("arial.ttf");
    ASSERT_FALSE(file.empty());
    const std::string whole = testing::read_file(file);
    testing::write_file(dir / "cut.ttf", whole.substr(0, 300));
    EXPECT_EQ(cpwLoadFont(cpw, "cut.ttf", CPW_FONTLOC_RELATIVE, dir.path().string()), nullptr);

    testing::write_file(dir / "copy.ttf", whole);
    EXPECT_NE(cpwLoadFont(cpw, "copy.ttf", CPW_FONTLOC_RELATIVE, dir.path().string()), nullptr);
}

class MeasureTest : public FontTest {
  protected:
    void SetUp() override {
        FontTest::SetUp();
        face = cpwLoadFont(cpw, "arial.ttf", CPW_FONTLOC_HOST, "");
        ASSERT_NE(face, nullptr);
        cpwFontMode(cpw, CPW_FONTOPT_SIZE, 20);
    }
    CpwFontFace face = nullptr;
};

TEST_F(MeasureTest, EmptyStringMeasuresAsAZeroBox) {
    const CpwFontBBox box = measure(face, "");
    EXPECT_EQ(box.width, 0);
    EXPECT_EQ(box.height, 0);
    EXPECT_EQ(box.offsetx, 0);
    EXPECT_EQ(box.offsety, 0);
}

TEST_F(MeasureTest, WidthIsTheSumOfTheAdvances) {
    const int h = measure(face, "H").width;
    const int i = measure(face, "i").width;
    const int seven = measure(face, "7").width;
    // Arial's capital H is 1479/2048 em wide: 14.4 pixels at 20.
    EXPECT_GE(h, 13);
    EXPECT_LE(h, 15);
    EXPECT_LT(i, h);
    EXPECT_EQ(measure(face, "Hi").width, h + i);
    EXPECT_EQ(measure(face, "HHHH").width, 4 * h);
    EXPECT_EQ(measure(face, "H7i7").width, h + 2 * seven + i);
}

TEST_F(MeasureTest, SpacingMultipliesTheAdvances) {
    const int plain = measure(face, "VNE 270").width;
    cpwFontMode(cpw, CPW_FONTOPT_SPACING, 2);
    EXPECT_EQ(measure(face, "VNE 270").width, 2 * plain);
    cpwFontMode(cpw, CPW_FONTOPT_SPACING, 0);
    EXPECT_EQ(measure(face, "VNE 270").width, 0);
}

TEST_F(MeasureTest, HeightIsTheTallestGlyphAndOffsetTheDeepestDescent) {
    const CpwFontBBox caps = measure(face, "HE");
    EXPECT_GE(caps.height, 13);
    EXPECT_LE(caps.height, 16);
    EXPECT_LE(caps.offsety, 1);
    const CpwFontBBox descent = measure(face, "Hgp");
    EXPECT_GE(descent.height, caps.height);
    EXPECT_GE(descent.offsety, 3);
    EXPECT_EQ(descent.offsetx, 0);
}

TEST_F(MeasureTest, SizeScalesTheBox) {
    const CpwFontBBox small = measure(face, "Speed 123");
    cpwFontMode(cpw, CPW_FONTOPT_SIZE, 40);
    const CpwFontBBox large = measure(face, "Speed 123");
    EXPECT_NEAR(large.width, 2 * small.width, 4);
    EXPECT_NEAR(large.height, 2 * small.height, 2);
}

TEST_F(MeasureTest, NoFaceIsAnError) {
    CpwFontBBox box;
    box.width = 99;
    EXPECT_FALSE(cpwGetFontBBox(cpw, nullptr, "x", &box));
    EXPECT_EQ(box.width, 0);
    EXPECT_EQ(cpw_error_get(cpw), CPW_BADARGUMENT_ERROR);
}

TEST_F(MeasureTest, DrawingWithoutAWindowFailsCleanly) {
    EXPECT_FALSE(cpwDrawFont(cpw, face, "270", 1));
    EXPECT_EQ(cpw_error_get(cpw), CPW_WINDOW_ERROR);
}

TEST(CoverageConversion, RgbaScalesCoverageByTheDrawingColour) {
    const std::uint8_t coverage[] = {0, 100, 255, 51};
    const float green[4] = {0.0F, 0.5F, 0.0F, 1.0F};
    std::vector<std::uint8_t> out;
    ASSERT_TRUE(cpw_convert_coverage(coverage, 4, 1, 4, CPW_GL_RGBA, green, out));
    const std::vector<std::uint8_t> expected = {0, 0,   0, 0,   0, 50, 0, 100,
                                                0, 127, 0, 255, 0, 25, 0, 51};
    EXPECT_EQ(std::vector<std::uint8_t>(out.begin(), out.begin() + 16), expected);
}

TEST(CoverageConversion, RgbLeavesAlphaOutAndLuminancePassesThrough) {
    const std::uint8_t coverage[] = {200, 10};
    const float colour[4] = {1.0F, 0.5F, 0.25F, 0.5F};
    std::vector<std::uint8_t> out;
    ASSERT_TRUE(cpw_convert_coverage(coverage, 2, 1, 2, CPW_GL_RGB, colour, out));
    EXPECT_EQ(std::vector<std::uint8_t>(out.begin(), out.begin() + 6),
              (std::vector<std::uint8_t>{200, 100, 50, 10, 5, 2}));
    ASSERT_TRUE(cpw_convert_coverage(coverage, 2, 1, 2, CPW_GL_LUMINANCE, colour, out));
    EXPECT_EQ(out[0], 200);
    EXPECT_EQ(out[1], 10);
}

TEST(CoverageConversion, RowPaddingIsSkippedAndBottomUpRowsAreTurned) {
    // Two rows of two pixels, each row padded to four bytes.
    const std::uint8_t coverage[] = {1, 2, 99, 99, 3, 4, 99, 99};
    const float white[4] = {1, 1, 1, 1};
    std::vector<std::uint8_t> out;
    ASSERT_TRUE(cpw_convert_coverage(coverage, 2, 2, 4, CPW_GL_LUMINANCE, white, out));
    EXPECT_EQ(std::vector<std::uint8_t>(out.begin(), out.begin() + 4),
              (std::vector<std::uint8_t>{1, 2, 3, 4}));
    ASSERT_TRUE(cpw_convert_coverage(coverage, 2, 2, -4, CPW_GL_LUMINANCE, white, out));
    EXPECT_EQ(std::vector<std::uint8_t>(out.begin(), out.begin() + 4),
              (std::vector<std::uint8_t>{3, 4, 1, 2}));
}

TEST(CoverageConversion, ColoursOutOfRangeDoNotWrapAround) {
    const std::uint8_t coverage[] = {255};
    const float wild[4] = {2.0F, -1.0F, 1.0F, 7.0F};
    std::vector<std::uint8_t> out;
    ASSERT_TRUE(cpw_convert_coverage(coverage, 1, 1, 1, CPW_GL_RGBA, wild, out));
    EXPECT_EQ(std::vector<std::uint8_t>(out.begin(), out.begin() + 4),
              (std::vector<std::uint8_t>{255, 0, 255, 255}));
}

TEST(CoverageConversion, BufferGrowsAndIsReused) {
    std::vector<std::uint8_t> big(64, 0);
    const float colour[4] = {1, 1, 1, 1};
    std::vector<std::uint8_t> out;
    ASSERT_TRUE(cpw_convert_coverage(big.data(), 8, 8, 8, CPW_GL_RGBA, colour, out));
    EXPECT_GE(out.size(), 256U);
    const auto* storage = out.data();
    const std::uint8_t one[] = {7};
    ASSERT_TRUE(cpw_convert_coverage(one, 1, 1, 1, CPW_GL_RGBA, colour, out));
    EXPECT_EQ(out.data(), storage);
    EXPECT_EQ(out[0], 7);
}

TEST(FontNames, WindowsFileNamesLoseFolderCaseAndExtension) {
    EXPECT_EQ(host_font_file("nosuch"), "");
    const std::string a = host_font_file("arialbd.ttf");
    EXPECT_FALSE(a.empty());
    EXPECT_EQ(host_font_file("C:\\Windows\\Fonts\\ArialBD.TTF"), a);
    EXPECT_EQ(host_font_file("arialbd"), a);
}

// A fresh Wine prefix has no Windows fonts: the core fonts must still find a face, or the strip
// stays empty. The test machines have no Times New Roman of their own.
TEST(FontNames, ACoreFontTheSystemLacksFindsAStandIn) {
    const std::string file = host_font_file("timesbd.ttf");
    ASSERT_FALSE(file.empty());
    EXPECT_TRUE(std::filesystem::is_regular_file(file)) << file;
    EXPECT_EQ(stand_in_faces("arialbd"),
              (std::vector<std::string>{"Liberation Sans Bold", "DejaVu Sans Bold"}));
    EXPECT_EQ(stand_in_faces("verdanaz")[1], "DejaVu Sans Bold Oblique");
}

} // namespace
} // namespace kalveo
