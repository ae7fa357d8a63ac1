// The glider outline of the heading symbol: the pilot's silhouette file as read, its faults,
// and the built-in outline.
#include "display/silhouette.h"
#include "support/test_files.h"

#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>

namespace kalveo {
namespace {

using testing::ScopedCwd;
using testing::TempDir;

struct Read {
    Silhouette s;
    std::vector<std::string> log;
};

Read read(std::string_view text) {
    Read r;
    r.s = read_silhouette_text(text, [&r](const std::string& line) { r.log.push_back(line); });
    return r;
}

bool logged(const Read& r, std::string_view words) {
    for (const std::string& line : r.log)
        if (line.find(words) != std::string::npos) return true;
    return false;
}

constexpr std::string_view kGlider = "0.5\r\n"
                                     "[fuselage]\r\n"
                                     "0 0.5\n0.04 0.4\n0.08 0.1\n0.07 -0.1\n0.02 -0.8\n0 -0.9\n"
                                     "[wing]\n0.08 0.1\n1.4 0.05\n1.4 -0.02\n0.07 -0.1\n"
                                     "[tailplane]\n0.02 -0.8\n0.3 -0.8\n0.3 -0.9\n0 -0.9\n";

TEST(Silhouette, FileGivesScaledPartsJoinedWhereTheyMeetTheFuselage) {
    const Read r = read(kGlider);
    ASSERT_TRUE(r.s.from_file);
    EXPECT_EQ(r.s.fuselage.size(), 6U);
    EXPECT_EQ(r.s.wing.size(), 4U);
    EXPECT_EQ(r.s.tail.size(), 4U);
    EXPECT_EQ(r.s.joins, (std::array<int, 4>{2, 3, 4, 5}));
    EXPECT_FLOAT_EQ(r.s.wing[1].x, 0.7F); // 1.4 x the scale 0.5
    EXPECT_FLOAT_EQ(r.s.fuselage[0].y, 0.25F);
    EXPECT_TRUE(r.log.empty());

    // One outline, both halves: the right wing tip and its mirror image are on it.
    const auto loops = silhouette_outlines(r.s);
    ASSERT_EQ(loops.size(), 1U);
    int tips = 0;
    for (const BallPoint& p : loops[0])
        tips += std::fabs(std::fabs(p.x) - 0.7F) < 1e-6F && std::fabs(p.y - 0.025F) < 1e-6F;
    EXPECT_EQ(tips, 2);
    const SilhouetteFill fill = silhouette_fill(r.s);
    EXPECT_EQ(fill.fuselage_strip.size(), 12U);
    EXPECT_EQ(fill.polygons.size(), 4U); // each wing and each tailplane half
    EXPECT_FLOAT_EQ(fill.polygons[1][2].x, -0.7F);
}

TEST(Silhouette, FaultsKeepWhatIsSoundOrFallBackToTheBuiltInOutline) {
    std::string long_wing = "1\n[fuselage]\n0 1\n0.1 0\n0 -1\n[wing]\n";
    for (int i = 0; i < 14; ++i)
        long_wing += "0." + std::to_string(i) + " 0\n";
    struct Case {
        const char* what;
        std::string text;
        bool from_file;
        const char* log;
    };
    const Case cases[] = {
        {"part of 14 points", long_wing, true, "wing has more than 10 points"},
        {"no scale line", "[fuselage]\n0 1\n0.1 0\n", false, "no readable scale"},
        {"scale not a number", "big\n[fuselage]\n0 1\n", false, "no readable scale"},
        {"zero scale", "0\n[fuselage]\n0 1\n", false, "no readable scale"},
        {"no fuselage", "1\n[wing]\n0 0\n1 0\n", false, "no fuselage"},
        {"empty file", "", false, "no readable scale"},
        {"bytes", std::string("1\n[fuselage]\n\xff\xfe 1\n\0\0\n", 21), false, "no fuselage"},
        {"lines not numbers skipped", "1\n[fuselage]\nnose\n0 1\nnan 2\n0.1 0\n", true, ""},
    };
    for (const Case& c : cases) {
        const Read r = read(c.text);
        EXPECT_EQ(r.s.from_file, c.from_file) << c.what;
        if (*c.log != '\0') {
            EXPECT_TRUE(logged(r, c.log)) << c.what;
        }
        if (!c.from_file) {
            EXPECT_EQ(r.s.fuselage.size(), built_in_silhouette().fuselage.size()) << c.what;
        }
    }
    const Read cut = read(long_wing);
    ASSERT_EQ(cut.s.wing.size(), 10U);
    EXPECT_FLOAT_EQ(cut.s.wing.back().x, 0.9F); // the first ten kept
    EXPECT_EQ(cut.log.size(), 1U);              // logged once, not per extra point
    EXPECT_EQ(read(cases[7].text).s.fuselage.size(), 2U);
}

TEST(Silhouette, PartsOffTheFuselageAreOutlinedOnTheirOwn) {
    const Read r = read("1\n[fuselage]\n0 1\n0.1 0\n0 -1\n[wing]\n0.5 0\n1 0\n1 -0.1\n");
    EXPECT_EQ(r.s.joins[0], -1);
    // Fuselage, right wing, left wing.
    EXPECT_EQ(silhouette_outlines(r.s).size(), 3U);
}

TEST(Silhouette, WithoutAFileTheBuiltInGliderIsDrawn) {
    TempDir dir;
    ScopedCwd cwd(dir.path());
    std::vector<std::string> log;
    const Silhouette s = read_sil([&log](const std::string& line) { log.push_back(line); });
    EXPECT_FALSE(s.from_file);
    ASSERT_FALSE(log.empty());
    EXPECT_EQ(log.front(), "Enter read_sil");
    EXPECT_EQ(log.back(), "NFU NWI NTA 0 0 0\n");
    // The built-in outline is one closed polygon round fuselage, wings and tailplane.
    const auto loops = silhouette_outlines(s);
    ASSERT_EQ(loops.size(), 1U);
    float span = 0.0F;
    float top = -1.0F;
    for (const BallPoint& p : loops[0]) {
        span = std::max(span, std::fabs(p.x));
        top = std::max(top, p.y);
    }
    EXPECT_FLOAT_EQ(span, 0.75F);
    EXPECT_FLOAT_EQ(top, 0.25F);

    testing::write_file(dir / "Settings/silhouette.txt", kGlider);
    EXPECT_TRUE(read_sil([](const std::string&) {}).from_file);
}

} // namespace
} // namespace kalveo
