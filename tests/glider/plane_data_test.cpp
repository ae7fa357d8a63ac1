#include "glider/plane_data.h"
#include "glider/polar_curve.h"
#include "glider/records.h"
#include "sample_install/plane_files.h"
#include "sample_install/sample_install.h"
#include "support/test_files.h"
#include "text/file_names.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <gtest/gtest.h>

namespace kalveo {
namespace {

using testing::read_file;
using testing::TempDir;

PlaneData crafted_plane(float c_rmass, float d_rmas1, float d_rmas2, float mtow, float ball,
                        int iclass, int seats) {
    PlaneData plane;
    plane.name = "Crafted";
    plane.vne = 250;
    plane.ball = ball;
    plane.dump_rate = 2;
    plane.area = 10;
    plane.c_rmass = c_rmass;
    plane.d_rmas1 = d_rmas1;
    plane.d_rmas2 = d_rmas2;
    plane.mtow = mtow;
    plane.iclass = iclass;
    plane.nbseat = seats;
    plane.nodes = polar_nodes_from_parabola(0.0002, -0.04, 1.0, {70, 100, 150});
    return plane;
}

Cndrp0Record derive(const PlaneData& plane) {
    std::string error;
    const auto words = parse_plane_data(plane_data_bytes(plane, PlaneLayout::condor3), true, error);
    EXPECT_TRUE(words) << error;
    return words ? derive_plane_masses(*words) : Cndrp0Record{};
}

double fxball(const Cndrp0Record& c) {
    return c.dmass[2] - c.dmass[1];
}

class PlaneDataTest : public ::testing::Test {};

TEST_F(PlaneDataTest, WordsAreTakenFromTheLayoutsPositions) {
    // Words placed by hand at the positions each layout gives them.
    for (const bool condor3 : {false, true}) {
        std::string bytes((condor3 ? 158 : 132) * 4, '\0');
        const auto put = [&bytes](int word, auto value) {
            std::memcpy(bytes.data() + (word - 1) * 4, &value, 4); // little-endian host
        };
        put(condor3 ? 83 : 66, std::int32_t{7});
        put(condor3 ? 88 : 71, 270.0F);
        put(condor3 ? 106 : 85, 180.0F);
        put(condor3 ? 107 : 86, 1.5F);
        put(condor3 ? 112 : 91, 10.5F);
        put(condor3 ? 113 : 92, 300.0F);
        put(condor3 ? 114 : 93, 25.0F);
        put(condor3 ? 119 : 98, std::int32_t{258});
        put(condor3 ? 121 : 100, 600.0F);
        put(condor3 ? 125 : 104, 5.0F);
        std::string error;
        const auto w = parse_plane_data(bytes, condor3, error);
        ASSERT_TRUE(w) << error;
        EXPECT_EQ(w->hand, 7);
        EXPECT_EQ(w->vne, 270.0F);
        EXPECT_EQ(w->ball, 180.0F);
        EXPECT_EQ(w->dump_rate, 1.5F);
        EXPECT_EQ(w->area, 10.5F);
        EXPECT_EQ(w->c_rmass, 300.0F);
        EXPECT_EQ(w->d_rmas1, 25.0F);
        EXPECT_EQ(w->class_word, 258);
        EXPECT_EQ(w->mtow, 600.0F);
        EXPECT_EQ(w->d_rmas2, 5.0F);
    }
}

TEST_F(PlaneDataTest, ShortFilesAreRefusedLongerOnesRead) {
    const PlaneData plane = *sample_plane("LS8neo");
    std::string bytes = plane_data_bytes(plane, PlaneLayout::condor3);
    std::string error;
    EXPECT_TRUE(parse_plane_data(bytes + "extra", true, error));
    EXPECT_FALSE(parse_plane_data(bytes.substr(0, 157 * 4 + 3), true, error));
    EXPECT_NE(error.find("158 words"), std::string::npos) << error;
    EXPECT_FALSE(parse_plane_data("", false, error));
    EXPECT_TRUE(parse_plane_data(bytes.substr(0, 132 * 4), false, error));
}

TEST_F(PlaneDataTest, ExtraBallastOfSingleSeaters) {
    Cndrp0Record c = derive(crafted_plane(340, 15, 5, 525, 150, 3, 1)); // rmass 360
    EXPECT_DOUBLE_EQ(fxball(c), 15.0);
    EXPECT_DOUBLE_EQ(c.dmass[1], 360.0);
    EXPECT_DOUBLE_EQ(c.dmass[2], 375.0);
    c = derive(crafted_plane(340, 15, 5, 525, 200, 3, 1));
    EXPECT_DOUBLE_EQ(fxball(c), 0.0);
    EXPECT_DOUBLE_EQ(c.dmass[2], 360.0);
}

TEST_F(PlaneDataTest, TwoSeatersWithATankCarryASecondPerson) {
    const Cndrp0Record c = derive(crafted_plane(500, 0, 0, 750, 0.1F, 2, 2));
    EXPECT_DOUBLE_EQ(fxball(c), 80.0);
    EXPECT_EQ(c.nbseat, 2);
    // No tank: the take-off mass rule.
    EXPECT_DOUBLE_EQ(fxball(derive(crafted_plane(500, 0, 0, 560, 0, 0, 2))), 60.0);
}

TEST_F(PlaneDataTest, ClassWordGivesClassAndSeats) {
    Cndrp0Record c = derive(crafted_plane(300, 0, 0, 450, 0, 3, 1));
    EXPECT_EQ(c.iclass, 3);
    EXPECT_EQ(c.nbseat, 1);
    EXPECT_EQ(class_name(c.iclass), "Standard");
    c = derive(crafted_plane(300, 0, 0, 450, 0, 2, 2)); // class word 258
    EXPECT_EQ(c.iclass, 2);
    EXPECT_EQ(c.nbseat, 2);
    EXPECT_EQ(class_name(c.iclass), "Club");
    EXPECT_EQ(class_name(8), "20m-MS");
    EXPECT_EQ(class_name(1), "??????");
    EXPECT_EQ(class_name(11), "??????");
    EXPECT_EQ(class_name(-3), "??????");
}

TEST_F(PlaneDataTest, DerivedFactorsAndTimes) {
    const Cndrp0Record c = derive(crafted_plane(330, 20, 10, 525, 190, 3, 1));
    EXPECT_NEAR(c.fcor, std::sqrt(360.0 / 330.0), 1e-12);
    EXPECT_NEAR(c.fmul, std::sqrt(525.0 / 360.0), 1e-12);
    EXPECT_NEAR(c.tball, 95.0, 1e-6);
    EXPECT_DOUBLE_EQ(c.vne, 250.0);
}

TEST_F(PlaneDataTest, PolarNodesKeepAtMostTwelve) {
    std::vector<PolarNode> nodes;
    for (int i = 0; i < 14; ++i) {
        nodes.push_back({60.0F + 10 * i, -0.5F, 0, 0, 0, 0});
    }
    std::string note, error;
    const auto read = parse_polar_nodes(polar_node_bytes(nodes), note, error);
    ASSERT_TRUE(read) << error;
    ASSERT_EQ(read->size(), 12U);
    EXPECT_EQ(read->back().vv_c, 170.0F);
    EXPECT_NE(note.find("14"), std::string::npos) << note;
}

TEST_F(PlaneDataTest, DamagedPolarNodeFilesAreRefused) {
    const std::string good = polar_node_bytes(sample_plane("ASK21")->nodes);
    std::string note, error;
    EXPECT_TRUE(parse_polar_nodes(good, note, error));
    EXPECT_FALSE(parse_polar_nodes(good.substr(0, good.size() - 1), note, error));
    EXPECT_FALSE(parse_polar_nodes("", note, error));
    EXPECT_FALSE(parse_polar_nodes(std::string("\xff\xff\xff\xff", 4), note, error));
    EXPECT_NE(error.find("negative"), std::string::npos) << error;
    const std::string none(4, '\0');
    const auto empty = parse_polar_nodes(none, note, error);
    ASSERT_TRUE(empty);
    EXPECT_TRUE(empty->empty());
}

// get_pol on files in a folder of our own: the installation folder's name
// chooses the layout.
class GetPol : public PlaneDataTest {
  protected:
    void SetUp() override {
        PlaneDataTest::SetUp();
        cwd_ = std::make_unique<testing::ScopedCwd>(dir_.path());
    }
    std::string install(const char* folder, const PlaneData& plane, PlaneLayout layout) {
        EXPECT_TRUE(write_plane_files(dir_ / folder / "Planes", plane, layout));
        return (dir_ / folder).string();
    }
    TempDir dir_;
    std::unique_ptr<testing::ScopedCwd> cwd_;
};

TEST_F(GetPol, ReadsTheVersion3LayoutAndScalesTheNodes) {
    const PlaneData plane = *sample_plane("LS8neo");
    const std::string cpath = install("Condor3", plane, PlaneLayout::condor3);
    const PlanePolar p = get_pol(cpath, "LS8neo");
    ASSERT_TRUE(p.ready);
    EXPECT_DOUBLE_EQ(p.plane.dmass[1], 360.0);
    EXPECT_DOUBLE_EQ(p.plane.vne, 280.0);
    EXPECT_EQ(p.plane.iclass, 3);
    const double fcor = std::sqrt(360.0 / 330.0);
    EXPECT_NEAR(p.plane.fcor, fcor, 1e-9);
    ASSERT_EQ(p.nodes.npt_bz, 8);
    EXPECT_EQ(p.nodes.nbi_bz, 7);
    EXPECT_NEAR(p.nodes.vv_c[1], plane.nodes[0].vv_c * fcor, 1e-4);
    EXPECT_NEAR(p.nodes.vz_p[8], plane.nodes[7].vz_p * fcor, 1e-5);
    EXPECT_NEAR(p.segments.dv_bz[1], (80 - 70) * fcor, 1e-4);
    EXPECT_NEAR(vv_bz(p.segments, 0, 1), 70 * fcor, 1e-4);

    // The listing keeps the values of the file, before scaling.
    const std::string listing = read_file(dir_ / "Details" / "LS8neo_pol.txt");
    EXPECT_EQ(listing.substr(0, 20), "   8 1.044465936E+00");
    EXPECT_NE(listing.find("     70.0000000"), std::string::npos) << listing;
    EXPECT_EQ(std::count(listing.begin(), listing.end(), '\n'), 9);
}

TEST_F(GetPol, AnyOtherFolderMeansTheVersion2Layout) {
    const PlaneData plane = *sample_plane("Discus2a");
    const PlanePolar p = get_pol(install("Condor2", plane, PlaneLayout::condor2), "Discus2a");
    ASSERT_TRUE(p.ready);
    EXPECT_DOUBLE_EQ(p.plane.vne, 250.0);
    EXPECT_DOUBLE_EQ(p.plane.dmass[1], 330.0);

    // Version 3 files in a version 2 folder are read at the wrong words.
    const PlanePolar wrong =
        get_pol(install("Sim", *sample_plane("Diana2"), PlaneLayout::condor3), "Diana2");
    ASSERT_TRUE(wrong.ready);
    EXPECT_NE(wrong.plane.vne, 270.0);
}

TEST_F(GetPol, ReferenceMassOfThePolarLeavesNodesUnchanged) {
    PlaneData plane = crafted_plane(360, 0, 0, 525, 150, 3, 1);
    const PlanePolar p = get_pol(install("Condor3", plane, PlaneLayout::condor3), "Crafted");
    ASSERT_TRUE(p.ready);
    EXPECT_DOUBLE_EQ(p.plane.fcor, 1.0);
    EXPECT_EQ(p.nodes.vv_c[2], plane.nodes[1].vv_c);
    EXPECT_EQ(p.nodes.vz_m[3], plane.nodes[2].vz_m);
}

TEST_F(GetPol, MissingPlaneDataGivesNothing) {
    const PlanePolar p = get_pol((dir_ / "Condor3").string(), "Nowhere");
    EXPECT_FALSE(p.plane_read);
    EXPECT_FALSE(p.ready);
    EXPECT_EQ(p.nodes.npt_bz, 0);
}

TEST_F(GetPol, FoldersInPlaceOfFilesAreNotFound) {
    std::filesystem::create_directories(dir_ / "Condor3" / "Planes" / "G" / "G.pdt");
    EXPECT_FALSE(get_pol((dir_ / "Condor3").string(), "G").ready);
    install("Condor3", *sample_plane("ASK21"), PlaneLayout::condor3);
    const auto pol = dir_ / "Condor3" / "Planes" / "ASK21" / "ASK21.pol";
    std::filesystem::remove(pol);
    std::filesystem::create_directories(pol);
    EXPECT_FALSE(get_pol((dir_ / "Condor3").string(), "ASK21").ready);
}

// A flight plan is an outside file: its glider name must not reach another folder, neither
// for the plane files read nor for the listing written under Details.
TEST_F(GetPol, GliderNamesThatLeaveTheirFolderAreRefused) {
    const std::string cpath = install("Condor3", *sample_plane("ASK21"), PlaneLayout::condor3);
    for (const char* name : {"..\\Planes\\ASK21\\ASK21", "../Planes/ASK21/ASK21", "..", "C:ASK21",
                             "ASK21\\..\\ASK21"}) {
        SCOPED_TRACE(name);
        EXPECT_FALSE(get_pol(cpath, name).plane_read);
    }
    EXPECT_FALSE(std::filesystem::exists(dir_ / "Planes_pol.txt"));
    EXPECT_EQ(file_name_part(" ..\\x/y:z.. "), "___x_y_z__");
}

TEST_F(GetPol, MissingPolarKeepsThePlaneData) {
    const std::string cpath = install("Condor3", *sample_plane("ASK21"), PlaneLayout::condor3);
    std::filesystem::remove(dir_ / "Condor3" / "Planes" / "ASK21" / "ASK21.pol");
    const PlanePolar p = get_pol(cpath, "ASK21");
    EXPECT_FALSE(p.ready);
    ASSERT_TRUE(p.plane_read);
    EXPECT_DOUBLE_EQ(p.plane.dmass[1], 490.0);
    EXPECT_EQ(p.plane.nbseat, 2);
}

TEST_F(GetPol, TruncatedFilesMeanNoPolar) {
    const std::string cpath = install("Condor3", *sample_plane("ASK21"), PlaneLayout::condor3);
    const auto pdt = dir_ / "Condor3" / "Planes" / "ASK21" / "ASK21.pdt";
    const std::string whole = read_file(pdt);
    testing::write_file(pdt, whole.substr(0, 600));
    EXPECT_FALSE(get_pol(cpath, "ASK21").plane_read);

    testing::write_file(pdt, whole);
    const auto pol = dir_ / "Condor3" / "Planes" / "ASK21" / "ASK21.pol";
    testing::write_file(pol, read_file(pol).substr(0, 50));
    const PlanePolar p = get_pol(cpath, "ASK21");
    EXPECT_TRUE(p.plane_read);
    EXPECT_FALSE(p.ready);
}

TEST_F(GetPol, ZeroReferenceMassDoesNotPoisonThePolar) {
    PlaneData plane = crafted_plane(0, 300, 0, 450, 0, 3, 1);
    const PlanePolar p = get_pol(install("Condor3", plane, PlaneLayout::condor3), "Crafted");
    ASSERT_TRUE(p.ready);
    EXPECT_TRUE(std::isinf(p.plane.fcor)); // listed as it is
    EXPECT_EQ(p.nodes.vv_c[1], plane.nodes[0].vv_c);
    PolarTable table{};
    EXPECT_GT(sample_reference_polar(p, table), 100);
}

// The sample installation's plane files, reached as the simulator's registry
// names the installation folders.
TEST(SampleInstallation, PlaneFilesOfBothVersionsGiveTheirPolars) {
    TempDir dir;
    testing::ScopedCwd cwd(dir.path());
    SampleInstallOptions options;
    options.condor2 = true;
    const SampleInstall sample = build_sample_installation(dir / "prefix", options);
    ASSERT_TRUE(sample.ok) << sample.error;
    testing::ScopedEnv prefix("WINEPREFIX", sample.prefix.string());
    for (const std::string& cpath : {sample.condor2.install_dir, sample.condor3.install_dir}) {
        for (const std::string& glider : sample_plane_names()) {
            SCOPED_TRACE(cpath + " " + glider);
            const PlaneData plane = *sample_plane(glider);
            const PlanePolar p = get_pol(cpath, glider);
            ASSERT_TRUE(p.ready);
            EXPECT_EQ(p.plane.vne, plane.vne);
            EXPECT_EQ(p.plane.nbseat, plane.nbseat);
            EXPECT_EQ(p.plane.iclass, plane.iclass);
            EXPECT_FLOAT_EQ(p.plane.dmass[1], plane.c_rmass + plane.d_rmas1 + plane.d_rmas2);
            EXPECT_EQ(p.nodes.npt_bz, static_cast<int>(plane.nodes.size()));
            PolarTable table{};
            const int nbfpl = sample_reference_polar(p, table);
            EXPECT_GT(nbfpl, 140);
            EXPECT_LT(nbfpl, 200);
            EXPECT_NEAR(table[101].speed, plane.nodes[0].vv_c * p.plane.fcor / 3.6, 1e-4);
            // A glider's polar: sinking everywhere, fastest sink at the fast end.
            for (int k = 101; k <= nbfpl; ++k) {
                EXPECT_LT(table[k].sink, 0.0) << k;
            }
            EXPECT_LT(table[nbfpl].sink, table[101].sink);
        }
    }
}

} // namespace
} // namespace kalveo
