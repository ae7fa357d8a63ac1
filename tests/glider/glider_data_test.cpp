#include "glider/glider_data.h"
#include "glider/records.h"
#include "support/editor_files.h"
#include "support/test_files.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace kalveo {
namespace {

using ::testing::ElementsAre;
using testing::TempDir;

// A data file with the entries the format's description uses.
constexpr char kFile[] = "# glider data\n"
                         "[Version]\n"
                         "Version=7\n"
                         "[Condor 1]\n"
                         "Old=200,0\n"
                         "[Condor 2]\n"
                         "LS8-18=280,180,325,370,150,-2,130,-1,120,0,110,+1\n"
                         "Blanik=253\n"
                         "# a comment between entries\n"
                         "\n"
                         "Twin=250,,340\n"
                         "[Condor 3]\n"
                         "New=270,150\n";

class GliderData : public ::testing::Test {
  protected:
    GliderScan scan(std::string_view text, std::string_view glider, int version) {
        return scan_glider_data(text, glider, version, values);
    }
    // Values from earlier flights that a partial entry must keep.
    GliderValues values = [] {
        GliderValues v;
        v.vne = -10000;
        v.balmax = 11;
        v.rmass = 22;
        v.mmass = 33;
        return v;
    }();
};

TEST_F(GliderData, EntryWithFlapsSetsEverything) {
    const GliderScan s = scan(kFile, "LS8-18", 2);
    EXPECT_TRUE(s.matched);
    EXPECT_TRUE(s.vne_found);
    EXPECT_NEAR(values.vne, 77.78, 0.005);
    EXPECT_EQ(values.balmax, 180);
    EXPECT_EQ(values.rmass, 325);
    EXPECT_EQ(values.mmass, 370);
    ASSERT_EQ(values.nflap, 4);
    EXPECT_NEAR(values.vflap100[1], 41.67, 0.005);
    EXPECT_NEAR(values.vflap100[2], 36.11, 0.005);
    EXPECT_NEAR(values.vflap100[3], 33.33, 0.005);
    EXPECT_NEAR(values.vflap100[4], 30.56, 0.005);
    EXPECT_EQ(values.cflap[1], "-2");
    EXPECT_EQ(values.cflap[2], "-1");
    EXPECT_EQ(values.cflap[3], "0");
    EXPECT_EQ(values.cflap[4], "+1");
    EXPECT_EQ(values.lflmax, 2); // the first of the longest names
    EXPECT_EQ(values.nflmax, 1);
    EXPECT_EQ(values.glnam, "LS8-18");
    // The line and its first item go to the log.
    EXPECT_THAT(s.log_lines,
                ElementsAre("LS8-18=280,180,325,370,150,-2,130,-1,120,0,110,+1", "280"));
}

TEST_F(GliderData, EntryWithoutMassesSetsOnlyItsVne) {
    const GliderScan s = scan(kFile, "Blanik", 2);
    EXPECT_TRUE(s.vne_found);
    EXPECT_NEAR(values.vne, 70.28, 0.005);
    EXPECT_EQ(values.balmax, 11);
    EXPECT_EQ(values.rmass, 22);
    EXPECT_EQ(values.nflap, 0);
    EXPECT_EQ(s.log_lines.size(), 2U); // no error line
}

TEST_F(GliderData, ReferenceMassPromisesAFlapSpeed) {
    const GliderScan s = scan(kFile, "Twin", 2);
    EXPECT_NEAR(values.vne, 250 / 3.6, 1e-9);
    EXPECT_EQ(values.balmax, 11); // empty item: kept
    EXPECT_EQ(values.rmass, 340);
    EXPECT_EQ(values.mmass, 33);
    EXPECT_EQ(values.nflap, 0);
    ASSERT_EQ(s.log_lines.size(), 3U);
    EXPECT_EQ(s.log_lines[2], "*** VFLAP : ERROR *** Twin=250,,340");
}

TEST_F(GliderData, EachSimulatorReadsItsOwnSection) {
    EXPECT_TRUE(scan(kFile, "LS8-18", 3).vne_found); // version 3 flies version 2 gliders
    EXPECT_FALSE(scan(kFile, "New", 2).matched);     // but not the other way round
    EXPECT_TRUE(scan(kFile, "New", 3).vne_found);
    EXPECT_FALSE(scan(kFile, "Old", 2).matched);
    EXPECT_FALSE(scan(kFile, "Old", 3).matched);
    EXPECT_TRUE(scan(kFile, "Old", 1).vne_found);
    EXPECT_FALSE(scan(kFile, "LS8-18", 1).matched);
}

TEST_F(GliderData, NamesMatchExactly) {
    EXPECT_FALSE(scan(kFile, "ls8-18", 2).matched);
    EXPECT_FALSE(scan(kFile, "", 2).matched);
    EXPECT_FALSE(scan(kFile, " ", 3).matched);
    EXPECT_EQ(values.vne, -10000);
    EXPECT_FALSE(scan(kFile, "LS8", 2).matched);
    EXPECT_TRUE(scan(kFile, "Blanik  ", 2).matched); // padding is no part of the name
}

TEST_F(GliderData, CountsTheEntriesOfTheSimulatorSections) {
    EXPECT_EQ(scan(kFile, "Unknown", 3).entries, 5);
    EXPECT_EQ(scan("Outside=1,2\n[Version]\nVersion=3\n", "Outside", 3).entries, 0);
    EXPECT_EQ(scan("", "Any", 3).entries, 0);
}

TEST_F(GliderData, ItemsThatAreNoNumbersEndTheirEntry) {
    struct Case {
        const char* line;
        const char* error;
    };
    for (const Case& c :
         {Case{"G=fast", "*** VNE : ERROR *** G=fast"}, Case{"G=", "*** VNE : ERROR *** G="},
          Case{"G=250,lots", "*** balmax : ERROR *** G=250,lots"},
          Case{"G=250,100,heavy", "*** RMASS : ERROR *** G=250,100,heavy"},
          Case{"G=250,100,300,?,0,L", "*** MMASS : ERROR *** G=250,100,300,?,0,L"},
          Case{"G=250,100,300,300,0,L,x,0", "*** VFLAP : ERROR *** G=250,100,3"
                                            "00,300,0,L,x,0"}}) {
        SCOPED_TRACE(c.line);
        const GliderScan s = scan(std::string("[Condor 2]\n") + c.line + "\n", "G", 2);
        ASSERT_FALSE(s.log_lines.empty());
        EXPECT_EQ(s.log_lines.back(), c.error);
        EXPECT_EQ(values.nflap, 0);
    }
    // What came before the faulty item stays.
    EXPECT_NEAR(values.vne, 250 / 3.6, 1e-9);
    EXPECT_EQ(values.balmax, 100);
    EXPECT_EQ(values.rmass, 300);
    EXPECT_EQ(values.vflap100[1], 0);
    EXPECT_EQ(values.cflap[1], "L");
}

TEST_F(GliderData, VneErrorIsNoVne) {
    const GliderScan s = scan("[Condor 2]\nG=2x0,100\n", "G", 2);
    EXPECT_TRUE(s.matched);
    EXPECT_FALSE(s.vne_found);
    EXPECT_EQ(values.vne, -10000);
}

TEST_F(GliderData, LastMatchingEntryDecides) {
    const char* text = "[Condor 2]\n"
                       "G=260,100,350,360,0,L,90,0\n"
                       "G=abc\n" // an unreadable line in between leaves the first
                       "H=100,0\n"
                       "[Condor 3]\n"
                       "G=270,120\n";
    EXPECT_EQ(scan(text, "G", 3).entries, 4);
    EXPECT_NEAR(values.vne, 75.0, 1e-9);
    EXPECT_EQ(values.balmax, 120);
    EXPECT_EQ(values.rmass, 350); // set by the first, kept by the last
    EXPECT_EQ(values.nflap, 0);   // the last one has no flaps
    EXPECT_EQ(values.nflmax, 0);
    EXPECT_EQ(values.lflmax, 0);

    values = GliderValues{};
    scan(text, "G", 2);
    EXPECT_NEAR(values.vne, 260 / 3.6, 1e-9);
    EXPECT_EQ(values.nflap, 2);
}

TEST_F(GliderData, SectionHeadersAreWholeLines) {
    const char* text = "[Condor 3]\n"
                       "[Condor 2] gliders\n" // an entry of section 3, not a header
                       " [Condor 2]\n"
                       "G=250,0\n"
                       "[Condor 2]   \n"
                       "H=200,0\n";
    EXPECT_TRUE(scan(text, "G", 3).matched);
    EXPECT_FALSE(scan(text, "G", 2).matched);
    EXPECT_TRUE(scan(text, "H", 2).matched);
    EXPECT_EQ(scan(text, "X", 2).entries, 4);
}

TEST_F(GliderData, SurvivesWhatEditorsAndDamageLeave) {
    // CR LF line ends, a byte-order mark, a line of NULs, an over-long line.
    const std::string text = "\xEF\xBB\xBF[Version]\r\nVersion=4\r\n[Condor 2]\r\n" +
                             std::string(300, '\0') + "\r\n" + "Long=250,100,300,300,0," +
                             std::string(200, 'L') + ",90,X\r\nG=255,90\r\n";
    EXPECT_EQ(scan_data_version(text), 4);
    EXPECT_TRUE(scan(text, "G", 2).vne_found);
    EXPECT_EQ(values.balmax, 90);
    // The list is cut to 80 characters, the flap name to 10.
    const GliderScan s = scan(text, "Long", 2);
    EXPECT_TRUE(s.vne_found);
    EXPECT_EQ(values.nflap, 1);
    EXPECT_EQ(values.cflap[1], "LLLLLLLLLL");
    EXPECT_EQ(values.lflmax, 10);
}

TEST_F(GliderData, AtMostTwentyFlapPositions) {
    std::string line = "G=300,0,400,400";
    for (int i = 0; i < 25; ++i) {
        line += "," + std::to_string(60 + i) + ",";
        line += static_cast<char>('a' + i);
    }
    // The list is cut after 80 characters, in the speed of the 14th pair.
    scan("[Condor 2]\n" + line + "\n", "G", 2);
    EXPECT_EQ(values.nflap, 14);
    EXPECT_NEAR(values.vflap100[13], 72 / 3.6, 1e-9);
    std::string compact = "G=3,,4,4";
    for (int i = 0; i < 25; ++i)
        compact += ",1,";
    scan("[Condor 2]\n" + compact + "\n", "G", 2);
    EXPECT_EQ(values.nflap, kMaxFlaps);
}

TEST_F(GliderData, VersionSection) {
    EXPECT_EQ(scan_data_version(kFile), 7);
    EXPECT_EQ(scan_data_version("[Version]\n# new\n\nHU = 12\nVersion=13\n"), 12);
    EXPECT_EQ(scan_data_version("[Version]\nVersion=seven\n"), 0);
    EXPECT_EQ(scan_data_version("[Version]\nVersion=7.5\n"), 0);
    EXPECT_EQ(scan_data_version("Version=7\n[Condor 2]\nG=250\n"), 0);
    EXPECT_EQ(scan_data_version(""), 0);
}

// read_data on files, applying what it finds to the values in force.
class ReadData : public ::testing::Test {
  protected:
    void SetUp() override {
        testing::write_file(file_, kFile);
        values_.vne = -10000;
    }
    TempDir dir_;
    std::filesystem::path file_ = dir_ / "Settings" / "Kalveo_data.txt";
    GliderValues values_;
};

TEST_F(ReadData, GivesWhatAMatchSets) {
    values_.nflap = 9; // from an earlier glider
    EXPECT_EQ(read_data(file_.string(), "LS8-18", false, 3, values_), 5);
    EXPECT_NEAR(values_.vne, 77.78, 0.005);
    EXPECT_EQ(values_.balmax, 180);
    EXPECT_EQ(values_.rmass, 325);
    EXPECT_EQ(values_.mmass, 370);
    EXPECT_EQ(values_.nflap, 4);
    EXPECT_NEAR(values_.vflap100[4], 30.56, 0.005);
    EXPECT_EQ(values_.cflap[4], "+1");
    EXPECT_EQ(values_.nflmax, 1);
    EXPECT_EQ(values_.glnam, "LS8-18");

    EXPECT_EQ(read_data(file_.string(), "Blanik", false, 3, values_), 5);
    EXPECT_EQ(values_.nflap, 0);
    EXPECT_EQ(values_.rmass, 325);
}

TEST_F(ReadData, UnknownNameChangesNoValue) {
    values_.nflap = 3;
    EXPECT_EQ(read_data(file_.string(), "Nimbus", false, 3, values_), 5);
    EXPECT_EQ(values_.vne, -10000);
    EXPECT_EQ(values_.glnam, "");
    EXPECT_EQ(values_.nflap, 0); // the flap count starts every lookup at 0
}

TEST_F(ReadData, AnEntryThatReadsLikeALogCommandIsLoggedAsText) {
    // A stop ("{F}") or a new log ("CREATE") must not come from the data file.
    testing::ScopedCwd cwd(dir_.path());
    testing::write_file(file_, "[Condor 3]\nG={F}stop\nH=CREATE other.txt\n");
    EXPECT_EQ(read_data(file_.string(), "G", false, 3, values_), 2);
    EXPECT_EQ(read_data(file_.string(), "H", false, 3, values_), 2);
    const std::string log = testing::read_text(dir_ / "Logfile.txt");
    EXPECT_NE(log.find("{F}stop"), std::string::npos) << log;
    EXPECT_NE(log.find("CREATE other.txt"), std::string::npos) << log;
    EXPECT_FALSE(std::filesystem::exists(dir_ / "other.txt"));
}

TEST_F(ReadData, VersionModeAndMissingFiles) {
    values_.nflap = 3;
    EXPECT_EQ(read_data(file_.string(), " ", true, 3, values_), 7);
    EXPECT_EQ(values_.nflap, 3) << "version mode looks no glider up";
    EXPECT_EQ(read_data((dir_ / "none.txt").string(), " ", true, 3, values_), 0);
    EXPECT_EQ(read_data((dir_ / "none.txt").string(), "LS8-18", false, 3, values_), 0);
    EXPECT_EQ(read_data(dir_.path().string(), "LS8-18", false, 3, values_), 0); // a folder
    EXPECT_EQ(values_.vne, -10000);
}

TEST_F(ReadData, BackslashNamesAreTheProgramsOwn) {
    testing::ScopedCwd cwd(dir_.path());
    EXPECT_EQ(read_data(kGliderDataFile, " ", true, 3, values_), 7);
}

// The data file the program ships.
class ShippedData : public ::testing::Test {
  protected:
    std::string text_ =
        testing::read_file(testing::env_folder("KALVEO_DATA_DIR") / "Settings" / "Kalveo_data.txt");
    // Names of the entries of one section, in order.
    std::vector<std::string> names(std::string_view section) {
        std::vector<std::string> out;
        bool inside = false;
        std::size_t at = 0;
        while (at < text_.size()) {
            const std::size_t end = text_.find('\n', at);
            const std::string line = text_.substr(at, end - at);
            at = end == std::string::npos ? text_.size() : end + 1;
            if (!line.empty() && line[0] == '[') {
                inside = line == section;
            } else if (inside && !line.empty() && line[0] != '#') {
                out.push_back(line.substr(0, line.find('=')));
            }
        }
        return out;
    }
};

TEST_F(ShippedData, HasAVersionAndEveryEntryReadsCleanly) {
    ASSERT_FALSE(text_.empty());
    EXPECT_GE(scan_data_version(text_), 1);
    // What the data download demands of a new file before it replaces this one.
    EXPECT_EQ(glider_data_problem(text_), "");
    for (const auto& [section, version] : {std::pair{"[Condor 1]", 1}, {"[Condor 2]", 2}}) {
        const auto entries = names(section);
        EXPECT_GE(entries.size(), 15U) << section;
        for (const std::string& name : entries) {
            SCOPED_TRACE(name);
            GliderValues values;
            const GliderScan s = scan_glider_data(text_, name, version, values);
            EXPECT_TRUE(s.vne_found);
            EXPECT_EQ(s.log_lines.size() % 2, 0U) << s.log_lines.back(); // no error line
            EXPECT_GT(values.vne, 100 / 3.6);
            EXPECT_LT(values.vne, 300 / 3.6);
            EXPECT_EQ(values.glnam, name);
            // The same glider under Condor 3: version 2 gliders are flown there too.
            if (version == 2) {
                GliderValues v3;
                EXPECT_TRUE(scan_glider_data(text_, name, 3, v3).vne_found);
                EXPECT_EQ(v3.vne, values.vne);
            }
        }
    }
}

TEST_F(ShippedData, FlapTablesRiseFromTheSlowestPosition) {
    GliderValues diana;
    ASSERT_TRUE(scan_glider_data(text_, "Diana2", 3, diana).vne_found);
    EXPECT_NEAR(diana.vne, 75.0, 1e-9);
    EXPECT_EQ(diana.balmax, 250);
    ASSERT_EQ(diana.nflap, 7);
    EXPECT_EQ(diana.vflap100[1], 0);
    EXPECT_EQ(diana.cflap[1], "+28");
    EXPECT_EQ(diana.cflap[7], "-2");
    for (int i = 2; i <= diana.nflap; ++i) {
        EXPECT_GT(diana.vflap100[i], diana.vflap100[i - 1]) << i;
    }
    // Every glider with flaps in the file follows the same order.
    for (const std::string& name : names("[Condor 2]")) {
        GliderValues v;
        scan_glider_data(text_, name, 2, v);
        for (int i = 2; i <= v.nflap; ++i) {
            EXPECT_GT(v.vflap100[i], v.vflap100[i - 1]) << name << " " << i;
        }
    }
}

TEST_F(ShippedData, GlidersWithoutASourcedVneAreLeftOut) {
    GliderValues v;
    EXPECT_FALSE(scan_glider_data(text_, "LS8neo", 3, v).matched);
    EXPECT_FALSE(scan_glider_data(text_, "JS3-18", 3, v).matched);
    EXPECT_TRUE(scan_glider_data(text_, "Antares18s", 3, v).vne_found);
    EXPECT_TRUE(scan_glider_data(text_, "Antares18S", 3, v).vne_found);
}

} // namespace
} // namespace kalveo

namespace kalveo {
namespace {

// A data file saved by any editor gives the same version and entries; a cut-off entry
// says so in the log lines.
TEST(GliderDataEditors, EverySavedFormReadsTheSame) {
    const std::string text = "[Version]\nVersion=7\n[Condor 2]\nL\xC3\xA9ger=250,90\n"
                             "LS8-18=280,180,325,370,150,-2,130,-1\n";
    for (const auto& file : testing::editor_files(text)) {
        SCOPED_TRACE(file.editor);
        EXPECT_EQ(scan_data_version(file.bytes), 7);
        GliderValues values;
        const GliderScan s = scan_glider_data(file.bytes, "LS8-18", 2, values);
        EXPECT_EQ(s.entries, 2);
        EXPECT_TRUE(s.vne_found);
        EXPECT_EQ(values.nflap, 2);
        EXPECT_EQ(values.cflap[2], "-1");
        EXPECT_TRUE(scan_glider_data(file.bytes, "L\xC3\xA9ger", 3, values).matched);
    }
    GliderValues values;
    const GliderScan cut = scan_glider_data("[Condor 2]\nLS8-18=280,180,32", "LS8-18", 2, values);
    EXPECT_TRUE(cut.vne_found);
    EXPECT_EQ(values.balmax, 180);
}

} // namespace
} // namespace kalveo
