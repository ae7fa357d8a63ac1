#include "config/records.h"
#include "glider/records.h"
#include "glider/vne_lookup.h"
#include "report/log.h"
#include "support/test_files.h"

#include <cstdio>
#include <gtest/gtest.h>
#include <iostream>
#include <sstream>

namespace kalveo {
namespace {

using testing::read_file;
using testing::read_text;
using testing::ScopedEnv;
using testing::TempDir;

constexpr char kPrompt[] = "Glider name or VNE in km/h";

int count_lines_with(const std::string& text, const std::string& what) {
    int n = 0;
    for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) {
        ++n;
    }
    return n;
}

class GetVne : public ::testing::Test {
  protected:
    void SetUp() override {
        testing::write_file(dir_ / "Settings" / "Kalveo_data.txt",
                            "[Version]\nVersion=3\n[Condor 2]\n"
                            "LS8-18=280,180,325,370,150,-2,130,-1,120,0,110,+1\n"
                            "Blanik=253\nBroken=2x0,100\n");
        start_.vne = -10000;
        texts_.msggldrnam = kPrompt;
        texts_.msfgldnfnd = "\nis not in the glider data";
        set_error_log_folder(dir_.path().string() + "/");
    }

    // Runs get_vne with the dialog answers and console lines given, and keeps
    // what it printed.
    void run(std::string& ggg, const std::string& answers, const std::string& console = "") {
        testing::write_file(script_, answers);
        std::istringstream input(console);
        std::streambuf* keep = std::cin.rdbuf(input.rdbuf());
        ::testing::internal::CaptureStdout();
        found_ = get_vne(ggg, start_, texts_, 3);
        out_ = ::testing::internal::GetCapturedStdout();
        std::cin.rdbuf(keep);
    }

    TempDir dir_;
    testing::ScopedCwd cwd_{dir_.path()};
    std::filesystem::path script_ = dir_ / "answers.txt";
    ScopedEnv dialogs_{"KALVEO_DIALOGS", "script:" + script_.string()};
    std::string out_;
    MessagesRecord texts_;
    GliderValues start_; ///< the values in force before the lookup
    GliderValues found_; ///< what get_vne gave back
};

TEST_F(GetVne, ListedGliderNeedsNoQuestion) {
    std::string ggg = "LS8-18";
    start_.balmax = 99; // from an earlier glider
    run(ggg, "");
    EXPECT_NEAR(found_.vne, 77.78, 0.005);
    EXPECT_EQ(found_.balmax, 180);
    EXPECT_EQ(found_.nflap, 4);
    EXPECT_EQ(found_.glnam, "LS8-18");
    EXPECT_EQ(out_.find("[dialog]"), std::string::npos) << out_;
}

TEST_F(GetVne, UnlistedGliderIsNamedAndAskedFor) {
    // A file with entries that lacks the glider must not leave the alarm on
    // the unit's default VNE without a word.
    std::string ggg = "Nimbus4DM";
    run(ggg, "ok\nLS8-18\n");
    EXPECT_EQ(count_lines_with(out_, "[dialog] messageBox ok warning title=\"Kalveo\" "
                                     "text=\"Nimbus4DM\\nis not in the glider data\""),
              1)
        << out_;
    EXPECT_EQ(count_lines_with(out_, "[dialog] inputBox title=\"Kalveo\" text=\"" +
                                         std::string(kPrompt) + "\" answer=\"LS8-18\""),
              1)
        << out_;
    EXPECT_NEAR(found_.vne, 77.78, 0.005);
    EXPECT_EQ(found_.glnam, "LS8-18");
    // The warning is kept in the error log too.
    EXPECT_NE(read_text(dir_ / "ErrorLog.txt").find("Nimbus4DM"), std::string::npos);
}

TEST_F(GetVne, EntryWithoutAUsableVneCountsAsNotFound) {
    std::string ggg = "Broken";
    run(ggg, "ok\n250\n");
    EXPECT_EQ(count_lines_with(out_, "text=\"Broken\\nis not in"), 1) << out_;
    EXPECT_NEAR(found_.vne, 69.44, 0.005);
    EXPECT_EQ(found_.glnam, "250") << "the glider goes by the answer";
}

TEST_F(GetVne, TypedNumberIsTheVneInKmh) {
    std::string ggg;
    start_.nflap = 2; // a typed VNE leaves the rest as it was
    run(ggg, "250\n");
    EXPECT_NEAR(found_.vne, 69.44, 0.005);
    EXPECT_EQ(found_.nflap, 2);
    EXPECT_EQ(ggg, "250");
    EXPECT_EQ(count_lines_with(out_, "[dialog]"), 1) << out_; // the question only
    EXPECT_EQ(count_lines_with(out_, "read_data"), 0) << out_;
}

TEST_F(GetVne, NumbersThatCannotBeAVneAreRefused) {
    std::string ggg;
    run(ggg, "0\nok\n-20\nok\nBlanik\n");
    EXPECT_NEAR(found_.vne, 70.28, 0.005);
    EXPECT_EQ(count_lines_with(out_, "[dialog] messageBox"), 2) << out_;
    EXPECT_EQ(found_.glnam, "Blanik");
}

TEST_F(GetVne, BlankNameAsksWithBlanikOffered) {
    std::string ggg = "   ";
    run(ggg, ""); // no script lines: the offered default is taken
    EXPECT_EQ(count_lines_with(out_, "answer=\"Blanik\" (default)"), 1) << out_;
    EXPECT_NEAR(found_.vne, 70.28, 0.005);
    EXPECT_EQ(ggg, "Blanik");
}

TEST_F(GetVne, CancelUsesUpAnAttempt) {
    std::string ggg;
    run(ggg, "{cancel}\nok\nLS8-18\n");
    EXPECT_EQ(count_lines_with(out_, "answer=cancel"), 1) << out_;
    EXPECT_EQ(count_lines_with(out_, "[dialog] messageBox"), 1) << out_;
    EXPECT_NEAR(found_.vne, 77.78, 0.005);
}

TEST_F(GetVne, AnswersAreCleanedAndCut) {
    EXPECT_EQ(clean_glider_answer("LS8-18\t\r\n"), "LS8-18");
    EXPECT_EQ(clean_glider_answer(std::string("A\x01"
                                              "B",
                                              3)),
              "A B");
    EXPECT_EQ(clean_glider_answer(std::string(40, 'x')), std::string(32, 'x'));
    EXPECT_FALSE(typed_vne("LS8"));
    EXPECT_FALSE(typed_vne("1-26"));
    EXPECT_EQ(typed_vne("250 km/h"), 250.0);
}

TEST_F(GetVne, MissingDataFileAsksForTheVne) {
    std::filesystem::remove(dir_ / "Settings" / "Kalveo_data.txt");
    std::string ggg = "LS8-18";
    run(ggg, "ok\n265\n");
    EXPECT_EQ(count_lines_with(out_, "text=\"LS8-18\\nis not in"), 1) << out_;
    EXPECT_NEAR(found_.vne, 265 / 3.6, 1e-9);
}

TEST_F(GetVne, AfterFiveBoxesTheConsoleAsks) {
    std::string ggg;
    run(ggg, "{cancel}\nok\n{cancel}\nok\n{cancel}\nok\n{cancel}\nok\n{cancel}\nok\n", "Blanik\n");
    EXPECT_EQ(count_lines_with(out_, "[dialog] inputBox"), 5) << out_;
    EXPECT_EQ(count_lines_with(out_, "\n" + std::string(kPrompt) + " :\n"), 1) << out_;
    EXPECT_NEAR(found_.vne, 70.28, 0.005);
}

TEST_F(GetVne, TenFailedAttemptsStopTheProgram) {
    const auto output = dir_ / "stdout.txt";
    testing::write_file(script_, "A\nok\nB\nok\nC\nok\nD\nok\nE\nok\n");
    EXPECT_EXIT(
        {
            std::freopen(output.string().c_str(), "w", stdout);
            std::istringstream input("F\nG\n\nH\n");
            std::cin.rdbuf(input.rdbuf());
            std::string ggg;
            (void)get_vne(ggg, {}, texts_, 3);
        },
        ::testing::ExitedWithCode(1), "");
    const std::string out = read_file(output);
    EXPECT_EQ(count_lines_with(out, "[dialog] inputBox"), 5) << out;
    EXPECT_EQ(count_lines_with(out, "\n" + std::string(kPrompt) + " :\n"), 5) << out;
    EXPECT_EQ(count_lines_with(out, "[dialog] messageBox"), 10) << out;
    EXPECT_NE(out.find("INFINITE LOOP"), std::string::npos) << out;
}

} // namespace
} // namespace kalveo
