// The text window's arithmetic without a window: both layouts from a table of glyph widths,
// the number formats, the alignment rules, the colour rules and the waiting text.
#include "display/tas_colour.h"
#include "display/text_colours.h"
#include "display/text_layout.h"
#include "display/whole_numbers.h"

#include <cmath>
#include <gtest/gtest.h>
#include <map>

namespace kalveo {
namespace {

// Glyph widths of a made-up font: the digit 1 narrower than the rest, as in most fonts.
int glyph_width(char c) {
    static const std::map<char, int> widths = {
        {'1', 7},  {' ', 5},  {':', 4},  {'+', 9}, {'-', 6},  {'.', 4},  {'G', 12}, {'n', 9},
        {'N', 13}, {'I', 5},  {'F', 11}, {'l', 4}, {'L', 11}, {'W', 16}, {'B', 12}, {'t', 5},
        {'T', 11}, {'S', 12}, {'M', 15}, {'k', 9}, {'m', 14}, {'h', 9}};
    if (c >= '0' && c <= '9' && c != '1') return 10;
    const auto it = widths.find(c);
    return it == widths.end() ? 8 : it->second;
}

int table_width(std::string_view text) {
    int w = 0;
    for (const char c : text)
        w += glyph_width(c);
    return w;
}

DisplayStateRecord strip(int horizontal) {
    DisplayStateRecord s;
    s.HorizontalDisplay = horizontal;
    s.HoriMargin = 8;
    s.cunit = "kmh";
    s.cflapmax = "L";
    s.DisG = 1;
    s.DisBal = 3;
    s.DisFla = 1;
    s.DisWinInfo.height = 40;
    return s;
}

TEST(TextLayoutTest, OneLinePlacesEveryShownFieldFromTheMeasuredWidths) {
    const TextLayout l = lay_out_text(strip(1), table_width);
    EXPECT_EQ(l.NumWid, 10);
    EXPECT_EQ(l.dp_plus, 43);
    EXPECT_EQ(l.dp_minus, 40);
    EXPECT_EQ(l.tim_wid, 68);
    // Speeds take "000" and a space each; the rest their label, template or text and a space.
    const std::vector<int> got = {l.x_IAS, l.x_GS,  l.x_TAS,    l.x_VA1, l.x_VNE,   l.x_Uni,
                                  l.x_G,   l.x_Net, l.x_Net_I,  l.x_Int, l.x_Fla,   l.x_ARR,
                                  l.x_Bal, l.x_Tim, l.x_TskTim, l.x_Clk, l.x_WalClk};
    const std::vector<int> want = {8,   43,  78,  113, 148, 183, 220, 284, 345,
                                   410, 467, 497, 512, 582, 676, 769, 842};
    EXPECT_EQ(got, want);
    EXPECT_EQ(l.xwb, 15); // half the height, at most 15
    EXPECT_EQ(l.width, 957);
}

TEST(TextLayoutTest, OneLineLeavesOutHiddenFieldsAndTheArrowOfTheAdviceColour) {
    DisplayStateRecord s = strip(1);
    s.DisIAS = s.DisGS = s.DisVA1 = s.DisUni = s.DisG = s.DisNet = s.DisNet_I = s.DisInt_I = 0;
    s.DisBal = s.DisTim = s.DisTskTim = s.DisClk = s.DisWalClk = 0;
    s.DisFla = 2;
    s.DisVar = 1; // the vario is a column field only
    const TextLayout l = lay_out_text(s, table_width);
    EXPECT_EQ(l.x_TAS, 8);
    EXPECT_EQ(l.x_VNE, 43);
    EXPECT_EQ(l.x_Fla, 78);
    EXPECT_EQ(l.x_ARR, 0);
    EXPECT_EQ(l.xwb, 0);
    EXPECT_EQ(l.width, 78 + 30 + 5 + 8 + 2);

    // Recording or netto mode: room for the mark, FontSize + HoriMargin - 2 VertMargin wide.
    s.Nrec = 2;
    s.FontSize = 24;
    s.VertMargin = 3;
    EXPECT_EQ(lay_out_text(s, table_width).width, 78 + 30 + 5 + 8 + 26 + 2);
}

TEST(TextLayoutTest, ColumnIsAsWideAsItsWidestLinePlusTheBallastBar) {
    DisplayStateRecord s = strip(0);
    s.DisVar = 1;
    s.DisWinInfo.height = 300;
    const TextLayout l = lay_out_text(s, table_width);
    EXPECT_EQ(l.x_ARR, 8 + 19 + 11);
    EXPECT_EQ(l.xwb, 12);
    EXPECT_EQ(l.width, 109 + 12 + 2); // "W: 00:00:00" and two margins is the widest
    EXPECT_EQ(right_margin(l.width, s.HoriMargin, l.xwb), 103);

    // With only speeds and signed values, the signed template decides.
    s.DisTim = s.DisTskTim = s.DisClk = s.DisWalClk = s.DisFla = s.DisBal = 0;
    const TextLayout narrow = lay_out_text(s, table_width);
    EXPECT_EQ(narrow.xwb, 0);
    EXPECT_EQ(narrow.width, 19 + 16 + 43 + 2);
}

TEST(TextLayoutTest, ColumnStacksTheFieldsFromTheUnitUpAndTheLineHasNoVario) {
    DisplayStateRecord s = strip(0);
    s.DisVar = 1;
    using F = TextField;
    EXPECT_EQ(column_fields(s),
              (std::vector<F>{F::Unit, F::TAS, F::IAS, F::GS, F::VA1, F::VNE, F::GLoad, F::Vario,
                              F::Netto, F::NettoAverage, F::Integrator, F::Flaps, F::Ballast,
                              F::Stopwatch, F::TaskTimer, F::Clock, F::WallClock}));
    EXPECT_EQ(line_fields(s),
              (std::vector<F>{F::IAS, F::GS, F::TAS, F::VA1, F::VNE, F::Unit, F::GLoad, F::Netto,
                              F::NettoAverage, F::Integrator, F::Flaps, F::Ballast, F::Stopwatch,
                              F::TaskTimer, F::Clock, F::WallClock}));
}

TEST(NumberFormatTest, DecimalsAndSignFollowNumDig) {
    struct Case {
        int NumDig;
        double value;
        const char* text;
        const char* reserved;
    };
    const Case cases[] = {
        {-4, 1.5, " 1.5000", "-00.0000"}, {-3, -1.5, "-1.500", "-00.000"},
        {-2, 1.5, " 1.50", "-00.00"},     {-1, 12.25, "12.2", "-00.0"},
        {0, 1.5, "+1.5", "-0.0"},         {1, 1.5, "+1.5", "+00.0"},
        {1, -12.0, "-12.0", "+00.0"},     {2, 0.5, "+0.50", "+00.00"},
        {3, -0.25, "-0.250", "+00.000"},  {4, 2.0, "+2.0000", "+00.0000"},
        {9, 2.0, "+2.0000", "+00.0000"}, // out of range: the nearest end
    };
    for (const Case& c : cases) {
        const NumberFormats f = number_formats(c.NumDig);
        EXPECT_EQ(signed_text(f.FmtSTr, c.value), c.text) << c.NumDig;
        EXPECT_EQ(f.V0Str, c.reserved) << c.NumDig;
    }
    EXPECT_EQ(number_formats(0).FmtSTr, "%+4.1f");
}

TEST(NumberFormatTest, OneDigitValuesMoveOneDigitRightToStayAligned) {
    EXPECT_TRUE(shift_one_digit(-9.9, 1));
    EXPECT_FALSE(shift_one_digit(-10.0, 1));
    EXPECT_TRUE(shift_one_digit(9.99, -2));
    EXPECT_FALSE(shift_one_digit(10.0, 1));
    EXPECT_TRUE(shift_one_digit(-0.4, 1));
    // A one-digit template has no room to move into; broken values stay where they are.
    EXPECT_FALSE(shift_one_digit(1.5, 0));
    EXPECT_FALSE(shift_one_digit(std::nan(""), 1));

    const std::pair<int, int> padding[] = {{5, 2},  {-5, 2},  {9, 2},  {10, 1},
                                           {99, 1}, {100, 0}, {150, 0}};
    for (const auto& [value, digits] : padding)
        EXPECT_EQ(Padding(value), digits) << value;
}

TEST(TasColourTest, WarnsFromVneMinusDv1BlinkingBrighterUpToDv2Above) {
    DisplayStateRecord s;
    s.vne = 280;
    s.status.margin = 10;
    s.dv2 = 20;
    s.ColTAS0 = {0.0F, 0.0F, 1.0F};
    s.ColTAS1 = {1.0F, 0.5F, 0.5F};
    struct Case {
        int tas;
        int blink;
        RgbF colour;
    };
    const Case cases[] = {
        {269, 1, {0.0F, 0.0F, 1.0F}},      // below the warning speed: steady
        {270, 1, {0.5F, 0.25F, 0.25F}},    // at it: half brightness
        {270, 0, {0.0F, 0.0F, 0.0F}},      // and black in the other phase
        {280, 1, {0.75F, 0.375F, 0.375F}}, // halfway up the band
        {290, 1, {1.0F, 0.5F, 0.5F}},      // dv2 above: full brightness
        {320, 1, {1.0F, 0.5F, 0.5F}},      // and no brighter
        {320, 0, {0.0F, 0.0F, 0.0F}},
    };
    for (const Case& c : cases) {
        s.tas = c.tas;
        s.blink = c.blink;
        const RgbF got = tas_colour(s);
        for (int i = 0; i < 3; ++i)
            EXPECT_FLOAT_EQ(got[i], c.colour[i]) << c.tas << " blink " << c.blink;
    }
    s.status.vne_alarm = false;
    EXPECT_EQ(tas_colour(s), kAlarmOffGrey);
    EXPECT_FLOAT_EQ(tas_warning_brightness(270, 280, 10, 0), 1.0F);
}

TEST(FlapColourTest, AdviceBlinksThirtySecondsAndNotWhileBankingAtTheLimit) {
    DisplayStateRecord s;
    s.ColFlap0 = {0.0F, 0.5F, 0.0F};
    s.ColFlap1 = {0.6F, 1.0F, 0.6F};
    s.modflap = 1;
    s.LastFlapUpdate = 1000.0;
    s.FlapMxBank = 15.0F;
    s.blink = 1;
    struct Case {
        double now;
        float bank;
        bool blinking;
    };
    const Case cases[] = {
        {1010.0, 10.0F, true},  {1029.9, 10.0F, true},  {1030.0, 10.0F, false},
        {1010.0, 15.0F, false}, {1010.0, 15.9F, false}, {1010.0, -15.0F, false},
        {1010.0, 14.9F, true},  {1010.0, -14.9F, true}, {1010.0, std::nanf(""), false},
    };
    for (const Case& c : cases) {
        s.bank = c.bank;
        EXPECT_EQ(flap_advice_blinking(s, c.now), c.blinking) << c.now << " " << c.bank;
        EXPECT_EQ(flap_colour(s, c.now), c.blinking ? s.ColFlap1 : s.ColFlap0);
    }
    s.bank = 0.0F;
    s.blink = 0;
    EXPECT_EQ(flap_colour(s, 1010.0), s.ColFlap0);
    s.blink = 1;

    // The flap text: steady with DisFla 1; with 2 the blinking colour, green with no advice.
    s.DisFla = 1;
    EXPECT_EQ(flap_text_colour(s, 1010.0), s.ColFlap0);
    s.DisFla = 2;
    EXPECT_EQ(flap_text_colour(s, 1010.0), s.ColFlap1);
    s.modflap = 0;
    EXPECT_EQ(flap_text_colour(s, 1010.0), kFlapsInPlaceGreen);
    EXPECT_FALSE(flap_advice_blinking(s, 1010.0));
}

TEST(WaitingTextTest, GainsAndLosesTwelveDotsOneEveryHalfSecond) {
    std::vector<std::size_t> lengths;
    for (int step = 0; step <= 26; ++step)
        lengths.push_back(waiting_text(step * 20).size());
    std::vector<std::size_t> want;
    for (int step = 0; step <= 26; ++step)
        want.push_back(16 + static_cast<std::size_t>(step % 24 <= 12 ? step % 24 : 24 - step % 24));
    EXPECT_EQ(lengths, want);
    EXPECT_EQ(waiting_text(0), "Waiting for data");
    EXPECT_EQ(waiting_text(19), "Waiting for data");
    EXPECT_EQ(waiting_text(12 * 20), "Waiting for data............");
}

} // namespace
} // namespace kalveo
