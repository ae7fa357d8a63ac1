// Finding the simulator's installations and folders in a sample Wine prefix.
#include "sample_install/sample_files.h"
#include "sim/install.h"
#include "sim/records.h"
#include "sim_fixture.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace kalveo {
namespace {

using ::testing::HasSubstr;
using ::testing::Not;
using testing::SimTest;

class Discovery : public SimTest {
  protected:
    int check_quietly(std::string* console = nullptr) {
        ::testing::internal::CaptureStdout();
        found_ = check_condor_install("");
        const std::string out = ::testing::internal::GetCapturedStdout();
        if (console != nullptr) *console = out;
        return found_.condor_version;
    }

    Installation found_;
};

constexpr const char* kUserFolder3 = "C:\\users\\pilot\\Documents\\Condor3";
constexpr const char* kPilotFolder3 = "C:\\users\\pilot\\Documents\\Condor3\\Pilots\\Sample Pilot";

TEST_F(Discovery, FindsVersion3WithItsUserAndPilotFolders) {
    install();
    std::string console;
    EXPECT_EQ(check_quietly(&console), 3);
    EXPECT_TRUE(found_.qc3);
    EXPECT_FALSE(found_.qc2);
    EXPECT_EQ(found_.instpath3, "C:\\Condor3");
    EXPECT_EQ(found_.rootpath3, kUserFolder3);
    EXPECT_EQ(found_.pilpath3, kPilotFolder3);
    EXPECT_EQ(found_.cndrinstpath, "C:\\Condor3");
    EXPECT_EQ(found_.cndrrootpath, kUserFolder3);
    EXPECT_EQ(found_.pilot_path(), kPilotFolder3);
    EXPECT_EQ(found_.cndrvers(), 3);
    EXPECT_THAT(log(), HasSubstr("Condor 3 install path: C:\\Condor3"));
    // Version 2 is missing: the pilot is told so.
    EXPECT_THAT(console,
                HasSubstr("text=\"*** Condor2 installation not detected on this computer ***\""));
}

TEST_F(Discovery, BothVersionsFoundAndVersion3IsActiveAtStart) {
    install({.condor2 = true});
    EXPECT_EQ(check_quietly(), 3);
    EXPECT_TRUE(found_.qc2);
    EXPECT_TRUE(found_.qc3);
    EXPECT_EQ(found_.instpath2, "C:\\Condor2");
    EXPECT_EQ(found_.rootpath2, "C:\\users\\pilot\\Documents\\Condor");
    EXPECT_EQ(found_.pilpath2, "C:\\users\\pilot\\Documents\\Condor\\Pilots\\Sample Pilot");
    EXPECT_EQ(found_.pilpath3, kPilotFolder3);
}

TEST_F(Discovery, OnlyVersion2InstalledIsActive) {
    install({.condor3 = false, .condor2 = true});
    EXPECT_EQ(check_quietly(), 2);
    EXPECT_FALSE(found_.qc3);
    EXPECT_EQ(found_.cndrinstpath, "C:\\Condor2");
    EXPECT_EQ(found_.cndrrootpath, "C:\\users\\pilot\\Documents\\Condor");
}

TEST_F(Discovery, NoInstallationGivesZero) {
    testing::write_file(prefix() / "user.reg", "WINE REGISTRY Version 2\n");
    EXPECT_EQ(check_quietly(), 0);
    EXPECT_FALSE(found_.qc2 || found_.qc3);
    EXPECT_EQ(found_.condor_version, 0);
}

TEST_F(Discovery, MissingProgramOrForeignLogMeansNotInstalled) {
    auto where = install();
    std::filesystem::remove(where.condor3.install / "Condor.exe");
    EXPECT_EQ(check_quietly(), 0);
    EXPECT_FALSE(found_.qc3);

    where = install();
    write_sim_file("C:\\Condor3\\Logs\\Logfile.txt", log_file_text(2150, SampleLogState::started));
    EXPECT_EQ(check_quietly(), 0);
    std::string path;
    ::testing::internal::CaptureStdout();
    EXPECT_EQ(get_condor_inst_dir(3, path, true), 2);
    (void)::testing::internal::GetCapturedStdout();
    EXPECT_EQ(path, "C:\\Condor3");
}

TEST_F(Discovery, InstallFolderLookup) {
    install();
    std::string path;
    ::testing::internal::CaptureStdout();
    // A stored folder is taken without asking the registry.
    found_.instpath3 = "C:\\Elsewhere";
    EXPECT_EQ(get_condor_inst_dir(-3, path, true, found_), 3);
    EXPECT_EQ(path, "C:\\Elsewhere");
    // Without one the registry and the log decide.
    found_.instpath3.clear();
    EXPECT_EQ(get_condor_inst_dir(-3, path, true, found_), 3);
    EXPECT_EQ(path, "C:\\Condor3");
    // A version without a registry key: silent, blank, 0.
    EXPECT_EQ(get_condor_inst_dir(2, path, true), 0);
    EXPECT_EQ(path, "");
    const std::string console = ::testing::internal::GetCapturedStdout();
    EXPECT_THAT(console, Not(HasSubstr("[dialog]")));
    EXPECT_THAT(console, HasSubstr("Logs\\Logfile.txt"));
}

TEST_F(Discovery, LogWithoutVersionLineGivesZero) {
    install();
    write_sim_file("C:\\Condor3\\Logs\\Logfile.txt",
                   "1\r\n2\r\n3\r\n4\r\n5\r\n6\r\nCondor version: 3013\r\n");
    std::string path;
    ::testing::internal::CaptureStdout();
    EXPECT_EQ(get_condor_inst_dir(3, path, true), 0);
    std::filesystem::remove(sample_host_path(prefix(), "C:\\Condor3\\Logs\\Logfile.txt"));
    EXPECT_EQ(get_condor_inst_dir(3, path, true), 0);
    (void)::testing::internal::GetCapturedStdout();
}

TEST_F(Discovery, AnyOtherVersionNumberStopsTheProgram) {
    std::string path;
    EXPECT_EXIT(get_condor_inst_dir(4, path, true), ::testing::ExitedWithCode(1), "");
    EXPECT_THAT(log(), HasSubstr("get_condor_inst_dir : incorrect Condor version"));
}

TEST_F(Discovery, DocumentsReferenceExpandsFromTheHostEnvironmentFirst) {
    install();
    testing::ScopedEnv profile("USERPROFILE", "D:\\Profiles\\pilot");
    EXPECT_EQ(check_quietly(), 3);
    EXPECT_EQ(found_.rootpath3, "D:\\Profiles\\pilot\\Documents\\Condor3");
}

TEST_F(Discovery, DocumentsWithoutReferenceIsTakenAsItIs) {
    install();
    testing::write_file(prefix() / "user.reg", user_reg_text({.install_dir3 = "C:\\Condor3",
                                                              .last_player3 = "Sample Pilot",
                                                              .personal = "E:\\My Documents"}));
    EXPECT_EQ(check_quietly(), 3);
    EXPECT_EQ(found_.rootpath3, "E:\\My Documents\\Condor3");
    EXPECT_EQ(found_.pilpath3, "E:\\My Documents\\Condor3\\Pilots\\Sample Pilot");
}

TEST_F(Discovery, UnknownVariableInDocumentsLeavesTheFolderBlank) {
    install();
    testing::write_file(prefix() / "user.reg",
                        user_reg_text({.install_dir3 = "C:\\Condor3",
                                       .last_player3 = "Sample Pilot",
                                       .personal = "%NO_SUCH_FOLDER_VAR%\\Documents"}));
    std::string console;
    check_quietly(&console);
    EXPECT_EQ(found_.rootpath3, "");
    EXPECT_EQ(found_.pilpath3, "");
    EXPECT_THAT(console,
                HasSubstr("title=\"get_condor_user_path\" "
                          "text=\"Error getting environment variable\\nNO_SUCH_FOLDER_VAR\""));
    std::string folder = "3";
    ::testing::internal::CaptureStdout();
    EXPECT_EQ(get_condor_2_path("", false, false, folder), 0);
    (void)::testing::internal::GetCapturedStdout();
}

TEST_F(Discovery, MissingDocumentsValueIsNotReadable) {
    install();
    testing::write_file(prefix() / "user.reg",
                        user_reg_text({.install_dir3 = "C:\\Condor3", .personal = ""}));
    std::string console;
    check_quietly(&console);
    EXPECT_EQ(found_.rootpath3, "");
    EXPECT_THAT(console, HasSubstr("User Shell Folders NOT READABLE"));
}

TEST_F(Discovery, PilotNameIsCutAndAMissingPilotLeavesTheUserFolder) {
    install();
    const std::string long_name(50, 'P');
    testing::write_file(prefix() / "user.reg",
                        user_reg_text({.install_dir3 = "C:\\Condor3", .last_player3 = long_name}));
    check_quietly();
    EXPECT_EQ(found_.pilpath3, std::string(kUserFolder3) + "\\Pilots\\" + std::string(40, 'P'));

    testing::write_file(prefix() / "user.reg", user_reg_text({.install_dir3 = "C:\\Condor3"}));
    check_quietly();
    EXPECT_EQ(found_.pilpath3, kUserFolder3);
}

} // namespace
} // namespace kalveo
