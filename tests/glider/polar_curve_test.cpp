#include "glider/polar_curve.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>

namespace kalveo {
namespace {

struct Node {
    double v, w, vm, wm, vp, wp; // km/h and m/s: node, incoming, outgoing
};

PlanePolar polar_of(std::initializer_list<Node> nodes) {
    PlanePolar p;
    int i = 0;
    for (const Node& n : nodes) {
        ++i;
        p.nodes.vv_c[i] = n.v;
        p.nodes.vz_c[i] = n.w;
        p.nodes.vv_m[i] = n.vm;
        p.nodes.vz_m[i] = n.wm;
        p.nodes.vv_p[i] = n.vp;
        p.nodes.vz_p[i] = n.wp;
    }
    p.nodes.npt_bz = i;
    p.nodes.nbi_bz = i - 1;
    p.segments = build_segments(p.nodes);
    return p;
}

// A straight node chain: control points at a third of each span.
PlanePolar straight_chain(int nodes, double first, double span) {
    PlanePolar p;
    for (int i = 1; i <= nodes; ++i) {
        const double v = first + (i - 1) * span;
        p.nodes.vv_c[i] = v;
        p.nodes.vz_c[i] = -0.01 * v;
        p.nodes.vv_m[i] = v - span / 3;
        p.nodes.vz_m[i] = -0.01 * (v - span / 3);
        p.nodes.vv_p[i] = v + span / 3;
        p.nodes.vz_p[i] = -0.01 * (v + span / 3);
    }
    p.nodes.npt_bz = nodes;
    p.nodes.nbi_bz = nodes - 1;
    p.segments = build_segments(p.nodes);
    return p;
}

class PolarCurve : public ::testing::Test {
  protected:
    void SetUp() override {
        table.fill({-1.0, -1.0}); // anything the sampling must not touch stays -1
    }
    PolarTable table;
};

TEST_F(PolarCurve, SegmentsRunFromNodeToNodeAlongTheirControlPoints) {
    const Rrrppp002Record seg =
        polar_of({{70, -0.6, 60, -0.7, 80, -0.55}, {100, -0.8, 90, -0.7, 110, -0.95}}).segments;
    EXPECT_EQ(vv_bz(seg, 0.0, 1), 70.0);
    EXPECT_EQ(vz_bz(seg, 0.0, 1), -0.6);
    EXPECT_DOUBLE_EQ(vv_bz(seg, 1.0, 1), 100.0);
    EXPECT_DOUBLE_EQ(vz_bz(seg, 1.0, 1), -0.8);
    // Midpoint: (P0 + 3 P1 + 3 P2 + P3) / 8 with P1 the outgoing point of the
    // first node and P2 the incoming point of the second.
    EXPECT_DOUBLE_EQ(vv_bz(seg, 0.5, 1), (70 + 3 * 80 + 3 * 90 + 100) / 8.0);
    EXPECT_DOUBLE_EQ(vz_bz(seg, 0.5, 1), (-0.6 + 3 * -0.55 + 3 * -0.7 + -0.8) / 8.0);
    EXPECT_DOUBLE_EQ(seg.dv_bz[1], 30.0);
}

TEST_F(PolarCurve, StraightSegmentIsLinearInItsParameter) {
    const Rrrppp002Record seg = straight_chain(3, 80, 30).segments;
    for (double t : {0.1, 0.25, 0.6, 0.9}) {
        EXPECT_NEAR(vv_bz(seg, t, 2), 110 + 30 * t, 1e-9) << t;
        EXPECT_NEAR(vz_bz(seg, t, 2), -0.01 * (110 + 30 * t), 1e-12) << t;
    }
}

TEST_F(PolarCurve, SegmentNumbersOutsideTheArraysGiveZero) {
    const Rrrppp002Record seg = straight_chain(2, 80, 30).segments;
    EXPECT_EQ(vv_bz(seg, 0.5, 0), 0.0);
    EXPECT_EQ(vz_bz(seg, 0.5, -3), 0.0);
    EXPECT_EQ(vv_bz(seg, 0.5, kMaxPolarNodes + 1), 0.0);
}

TEST_F(PolarCurve, AboutOneSamplePerThreeKmhAtLeastThree) {
    EXPECT_EQ(samples_for_span(10.0, 3.0), 3);
    EXPECT_EQ(samples_for_span(14.0, 3.0), 5);
    EXPECT_EQ(samples_for_span(7.5, 3.0), 3);
    EXPECT_EQ(samples_for_span(10.5, 3.0), 4); // 3.5 rounds away from zero
    EXPECT_EQ(samples_for_span(60.0, 3.0), 20);
    EXPECT_EQ(samples_for_span(-20.0, 3.0), 3);
    EXPECT_EQ(samples_for_span(std::numeric_limits<double>::quiet_NaN(), 3.0), 3);
    EXPECT_EQ(samples_for_span(std::numeric_limits<double>::infinity(), 3.0), 3);
    EXPECT_EQ(samples_for_span(1e30, 3.0), 99); // never more than the table holds
}

TEST_F(PolarCurve, TwoNodesSixtyApartFillEntries101To120) {
    EXPECT_EQ(sample_reference_polar(straight_chain(2, 72, 60), table), 120);
    EXPECT_EQ(table[100].speed, -1.0); // recorded points are not touched
    EXPECT_DOUBLE_EQ(table[101].speed, 72 / 3.6);
    EXPECT_DOUBLE_EQ(table[101].sink, -0.72);
    // t = 19/20 is the last sample: the end node itself is not sampled.
    EXPECT_NEAR(table[120].speed, (72 + 60 * 0.95) / 3.6, 1e-5);
    EXPECT_EQ(table[121].speed, 0.0);
    EXPECT_EQ(table[121].sink, 0.0);
    EXPECT_EQ(table[122].speed, -1.0);
}

TEST_F(PolarCurve, SampleCountsFollowEachSegmentsSpan) {
    const PlanePolar polar = polar_of({{70, -0.6, 65, -0.6, 73.3, -0.6},
                                       {80, -0.62, 76.7, -0.61, 84.7, -0.64},
                                       {94, -0.7, 89.3, -0.68, 101.5, -0.75},
                                       {116.5, -0.9, 109, -0.85, 120, -0.95}});
    // Spans 10, 14 and 22.5 km/h: 3, 5 and 8 samples.
    EXPECT_EQ(sample_reference_polar(polar, table), 100 + 3 + 5 + 8);
    EXPECT_DOUBLE_EQ(table[104].speed, 80 / 3.6); // second segment starts at its node
    EXPECT_DOUBLE_EQ(table[109].speed, 94 / 3.6);
    for (int k = 102; k <= 116; ++k) {
        EXPECT_GT(table[k].speed, table[k - 1].speed) << k;
    }
}

TEST_F(PolarCurve, WidePolarIsSpacedOutToFitTheTable) {
    // Eleven segments of 60 km/h would need 220 samples at 3 km/h.
    const int nbfpl = sample_reference_polar(straight_chain(kMaxPolarNodes, 60, 60), table);
    EXPECT_LE(nbfpl, kPolarTableSize - 1);
    EXPECT_GT(nbfpl, 180); // widened only as far as needed
    EXPECT_EQ(table[nbfpl + 1].speed, 0.0);
    EXPECT_EQ(table[nbfpl + 1].sink, 0.0);
    EXPECT_DOUBLE_EQ(table[101].speed, 60 / 3.6);
    // Every segment keeps its share, up to the end of the polar.
    EXPECT_GT(table[nbfpl].speed, (720 - 10) / 3.6);
    for (int k = 102; k <= nbfpl; ++k) {
        EXPECT_GT(table[k].speed, table[k - 1].speed) << k;
    }
}

TEST_F(PolarCurve, FewerThanTwoNodesGiveOnlyTheEndMark) {
    EXPECT_EQ(sample_reference_polar(straight_chain(1, 80, 30), table), 100);
    EXPECT_EQ(table[101].speed, 0.0);
    EXPECT_EQ(table[102].speed, -1.0);
    EXPECT_EQ(sample_reference_polar(straight_chain(0, 80, 30), table), 100);
}

TEST_F(PolarCurve, BrokenNodesStillStayInsideTheTable) {
    const PlanePolar polar =
        polar_of({{70, -0.6, 0, 0, 75, -0.6},
                  {std::numeric_limits<double>::quiet_NaN(), -0.7, 0, 0, 1e30, 0},
                  {1e30, -1.0, 0, 0, 0, 0},
                  {20, -1.0, 0, 0, 0, 0}});
    const int nbfpl = sample_reference_polar(polar, table);
    EXPECT_EQ(nbfpl, 100 + 3 * 3);
    EXPECT_EQ(table[nbfpl + 1].speed, 0.0);
}

} // namespace
} // namespace kalveo
