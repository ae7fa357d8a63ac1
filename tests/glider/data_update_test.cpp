#include "config/records.h"
#include "glider/data_update.h"
#include "local_http_server.h"
#include "platform/file_replace.h"
#include "report/log.h"
#include "support/test_files.h"

#include <cerrno>
#include <cstdio>
#include <gtest/gtest.h>
#include <system_error>

namespace kalveo {
namespace {

using testing::read_file;
using testing::ScopedEnv;
using testing::TempDir;
using testing::write_file;

constexpr char kOldData[] = "[Version]\nVersion=7\n[Condor 2]\nOld=250,0\n";
constexpr char kNewData[] = "# glider data\n[Version]\nVersion=8\n[Condor 2]\nNew=270,100\n";
constexpr char kDataPath[] = "Kalveo/Kalveo_data_for_automatic_downloads_only_HU08.txt";

int count_of(const std::string& text, const std::string& what) {
    int n = 0;
    for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) {
        ++n;
    }
    return n;
}

TEST(UpdateParts, VersionFileGivesProgramAndDataVersions) {
    const LatestVersions v = parse_version_numbers("# versions\r\nVersion=3300\r\n"
                                                   "HangarUpdate = 12\r\nOther=1\r\n");
    EXPECT_EQ(v.program, 3300);
    EXPECT_EQ(v.data, 12);
    const LatestVersions junk = parse_version_numbers("<html>Version: soon</html>\nHangarUpdate=\n"
                                                      "Version=3.3\n" +
                                                      std::string(5000, 'x'));
    EXPECT_EQ(junk.program, 0);
    EXPECT_EQ(junk.data, 0);
    EXPECT_EQ(parse_version_numbers("").program, 0);
}

TEST(UpdateParts, NamesOnTheServer) {
    EXPECT_EQ(data_version_text(7), "HU07");
    EXPECT_EQ(data_version_text(12), "HU12");
    EXPECT_EQ(data_version_text(123), "HU123");
    EXPECT_EQ(download_page("FR"), "index_fr.php#Kalveo");
    EXPECT_EQ(download_page("DE   "), "index_de.php#Kalveo");
    EXPECT_EQ(download_page("EN"), "index.php#Kalveo");
    EXPECT_EQ(download_page("fr"), "index.php#Kalveo");
}

TEST(UpdateParts, ServerAndBrowserCanBeChosen) {
    {
        ScopedEnv url("KALVEO_UPDATE_URL", "http://127.0.0.1:8000/");
        EXPECT_EQ(update_server(), "http://127.0.0.1:8000");
    }
    {
        ScopedEnv url("KALVEO_UPDATE_URL", "  ");
        EXPECT_TRUE(update_server().starts_with("https://")) << update_server();
    }
    {
        ScopedEnv browser("KALVEO_BROWSER", "'/opt/my browser/run' --new-tab");
        EXPECT_EQ(browser_command("http://x/index.php#Kalveo"),
                  (std::vector<std::string>{"/opt/my browser/run", "--new-tab",
                                            "http://x/index.php#Kalveo"}));
    }
    ScopedEnv browser("KALVEO_BROWSER", std::nullopt);
    EXPECT_EQ(browser_command("http://x/"), (std::vector<std::string>{"xdg-open", "http://x/"}));
}

class UpdateData : public ::testing::Test {
  protected:
    void SetUp() override {
        write_file(data_file_, kOldData);
        write_file(site_ / "Kalveo" / "Kalveo_Version_Numbers.txt",
                   "Version=3210\nHangarUpdate=8\n");
        write_file(site_ / kDataPath, kNewData);
        set_error_log_folder(dir_.path().string() + "/");
        texts_.msgnewdat1 = "New version";
        texts_.msgnewdat2 = "of the glider data: download it?";
        texts_.msgnewprog = "of Kalveo: open the download page?";
        write_file(browser_,
                   "#!/bin/sh\nprintf '%s\\n' \"$@\" > \"$(dirname \"$0\")/opened.txt\"\n");
        std::filesystem::permissions(browser_, std::filesystem::perms::owner_all);
    }

    void start_server() {
        server_ = std::make_unique<testing::LocalHttpServer>(site_);
        ASSERT_TRUE(server_->running()) << "python3 -m http.server did not start";
        url_ = std::make_unique<ScopedEnv>("KALVEO_UPDATE_URL", server_->url());
    }

    void run(const std::string& answers, const DataInstallFault& fault = {}) {
        write_file(script_, answers);
        ::testing::internal::CaptureStdout();
        update_data(numver_, lang_, texts_, fault);
        out_ = ::testing::internal::GetCapturedStdout();
    }

    // Only the program's own files are left in Settings.
    void expect_settings_folder(std::initializer_list<const char*> names) {
        std::vector<std::string> found;
        for (const auto& entry : std::filesystem::directory_iterator(dir_ / "Settings")) {
            found.push_back(entry.path().filename().string());
        }
        std::sort(found.begin(), found.end());
        EXPECT_EQ(found, std::vector<std::string>(names.begin(), names.end()));
    }

    void expect_old_file_untouched() {
        EXPECT_EQ(read_file(data_file_), kOldData);
        expect_settings_folder({"Kalveo_data.txt"});
    }

    int numver_ = 3210; ///< the running program's version
    MessagesRecord texts_;
    std::string lang_ = "EN"; ///< the interface language
    TempDir dir_;
    testing::ScopedCwd cwd_{dir_.path()};
    std::filesystem::path data_file_ = dir_ / "Settings" / "Kalveo_data.txt";
    std::filesystem::path site_ = dir_ / "site";
    std::filesystem::path browser_ = dir_ / "browser.sh";
    std::filesystem::path script_ = dir_ / "answers.txt";
    ScopedEnv dialogs_{"KALVEO_DIALOGS", "script:" + script_.string()};
    ScopedEnv browser_env_{"KALVEO_BROWSER", browser_.string()};
    std::unique_ptr<testing::LocalHttpServer> server_;
    std::unique_ptr<ScopedEnv> url_;
    std::string out_;
};

TEST_F(UpdateData, NewerDataFileReplacesTheOldOneWhichIsKept) {
    start_server();
    run("yes\nok\n");
    EXPECT_EQ(count_of(out_, "[dialog] messageBox yesno question title=\"Kalveo\" "
                             "text=\"New version HU08 of the glider data: download it?\" "
                             "answer=yes"),
              1)
        << out_;
    EXPECT_EQ(read_file(data_file_), kNewData);
    EXPECT_EQ(read_file(dir_ / "Settings" / "Kalveo_data_00000.txt"), kOldData);
    EXPECT_EQ(count_of(out_, "text=\"Existing file renamed to Settings\\Kalveo_data_00000.txt\""),
              1)
        << out_;
    expect_settings_folder({"Kalveo_data.txt", "Kalveo_data_00000.txt"});
    EXPECT_FALSE(std::filesystem::exists(dir_ / "opened.txt")); // no newer program
}

TEST_F(UpdateData, EachUpdateKeepsAnotherNumberedFile) {
    write_file(dir_ / "Settings" / "Kalveo_data_00000.txt", "older still");
    start_server();
    run("yes\nok\n");
    EXPECT_EQ(read_file(dir_ / "Settings" / "Kalveo_data_00000.txt"), "older still");
    EXPECT_EQ(read_file(dir_ / "Settings" / "Kalveo_data_00001.txt"), kOldData);
    EXPECT_EQ(read_file(data_file_), kNewData);
}

TEST_F(UpdateData, FirstDataFileNeedsNoRename) {
    std::filesystem::remove(data_file_);
    start_server();
    run("yes\n");
    EXPECT_EQ(read_file(data_file_), kNewData);
    EXPECT_EQ(count_of(out_, "Existing file renamed"), 0) << out_;
    expect_settings_folder({"Kalveo_data.txt"});
}

TEST_F(UpdateData, DeclinedOrCurrentDataChangesNothing) {
    start_server();
    run("no\n");
    expect_old_file_untouched();
    write_file(site_ / "Kalveo" / "Kalveo_Version_Numbers.txt", "Version=3210\nHangarUpdate=7\n");
    run("yes\n");
    EXPECT_EQ(count_of(out_, "[dialog]"), 0) << out_;
    expect_old_file_untouched();
}

TEST_F(UpdateData, BrokenDownloadsKeepTheOldFileInPlace) {
    struct Case {
        const char* what;
        std::optional<std::string> served; // nothing: the file is missing (404)
    };
    for (const Case& c :
         {Case{"missing", std::nullopt},
          Case{"error page", "<html><body>Service unavailable</body></html>"},
          Case{"older version", kOldData}, Case{"cut short", std::string(kNewData).substr(0, 20)},
          Case{"right version, broken entry",
               "[Version]\nVersion=8\n[Condor 2]\nNew=270,100\n<html>\n"},
          Case{"right version, no gliders", "[Version]\nVersion=8\n"},
          Case{"over 1 MB", std::string(kNewData) + std::string(1100 * 1024, '#') + "\n"}}) {
        SCOPED_TRACE(c.what);
        std::filesystem::remove(site_ / kDataPath);
        if (c.served) write_file(site_ / kDataPath, *c.served);
        if (!server_) start_server();
        run("yes\nok\n");
        expect_old_file_untouched();
        EXPECT_EQ(count_of(out_, "[dialog] messageBox ok warning title=\"Kalveo\" "
                                 "text=\"Download failed\\Please download the file from the "
                                 "website\""),
                  1)
            << out_;
    }
}

TEST_F(UpdateData, AFailureAtAnyStepKeepsTheOldFileWholeAndTellsThePilot) {
    struct Case {
        std::optional<DataInstallStep> step; // else the move into place fails
        ReplaceStep move_step;
        int error;
        bool logged; // the log gives the reason (else curl's own report does)
    };
    const Case cases[] = {
        {DataInstallStep::download, {}, ECONNRESET, false},
        {DataInstallStep::write, {}, ENOSPC, false},
        {DataInstallStep::backup, {}, EACCES, false},
        {std::nullopt, ReplaceStep::sync, EIO, true},
        {std::nullopt, ReplaceStep::rename, EROFS, true},
        {std::nullopt, ReplaceStep::rename, EACCES, true},
    };
    start_server();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.error);
        std::filesystem::remove(dir_ / "Logfile.txt");
        set_replace_fault(
            [&c](ReplaceStep step) { return !c.step && step == c.move_step ? c.error : 0; });
        run("yes\nok\n", [&c](DataInstallStep step) { return step == c.step ? c.error : 0; });
        set_replace_fault({});
        expect_old_file_untouched();
        EXPECT_EQ(count_of(out_, "text=\"Download failed\\Please download the file from the "
                                 "website\""),
                  1)
            << out_;
        EXPECT_EQ(count_of(out_, "Existing file renamed"), 0) << out_;
        if (c.logged) {
            const std::string reason = std::error_code(c.error, std::generic_category()).message();
            const std::string log = read_file(dir_ / "Logfile.txt");
            EXPECT_NE(log.find("Glider data not replaced: " + reason), std::string::npos) << log;
        }
    }
    // Nothing was left behind that would stand in the way of the next try.
    run("yes\nok\n");
    EXPECT_EQ(read_file(data_file_), kNewData);
    EXPECT_EQ(read_file(dir_ / "Settings" / "Kalveo_data_00000.txt"), kOldData);
}

TEST_F(UpdateData, AnOldFileThatCannotBeKeptIsNotReplaced) {
    // No numbered name is left for the old file: the download is dropped, the old file stays.
    write_file(dir_ / "Settings" / "Kalveo_data_99998.txt", "last number taken");
    start_server();
    run("yes\nok\nok\n");
    EXPECT_EQ(read_file(data_file_), kOldData);
    expect_settings_folder({"Kalveo_data.txt", "Kalveo_data_99998.txt"});
    EXPECT_EQ(count_of(out_, "text=\"Download failed"), 1) << out_;
}

TEST_F(UpdateData, ServerDownOffersNothing) {
    ScopedEnv url("KALVEO_UPDATE_URL",
                  "http://127.0.0.1:" + std::to_string(testing::free_local_port()));
    run("yes\nyes\n");
    EXPECT_EQ(count_of(out_, "[dialog]"), 0) << out_;
    EXPECT_EQ(count_of(out_, "exitstat=0"), 0) << out_;
    expect_old_file_untouched();
}

// Only https leaves the machine; plain http is kept for a server on this machine.
TEST_F(UpdateData, PlainHttpToAnotherHostIsNotAsked) {
    ScopedEnv url("KALVEO_UPDATE_URL", "http://192.0.2.1:9");
    run("yes\nyes\n");
    EXPECT_EQ(count_of(out_, "exitstat="), 0) << out_;
    EXPECT_EQ(count_of(out_, "[dialog]"), 0) << out_;
    expect_old_file_untouched();
}

TEST_F(UpdateData, WithoutCurlNothingIsOffered) {
    start_server();
    ScopedEnv path("PATH", (dir_ / "no-programs-here").string());
    run("yes\nyes\n");
    EXPECT_EQ(count_of(out_, "cmdstat=1"), 1) << out_;
    EXPECT_EQ(count_of(out_, "[dialog]"), 0) << out_;
    expect_old_file_untouched();
}

TEST_F(UpdateData, NewerProgramOpensTheDownloadPageAndEnds) {
    write_file(site_ / "Kalveo" / "Kalveo_Version_Numbers.txt", "Version=3300\nHangarUpdate=7\n");
    start_server();
    write_file(script_, "yes\n");
    const auto output = dir_ / "stdout.txt";
    EXPECT_EXIT(
        {
            std::freopen(output.string().c_str(), "w", stdout);
            update_data(numver_, lang_, texts_);
        },
        ::testing::ExitedWithCode(0), "");
    const std::string out = read_file(output);
    EXPECT_EQ(count_of(out, "text=\"New version 3.3.0.0 of Kalveo: open the download page?\" "
                            "answer=yes"),
              1)
        << out;
    EXPECT_EQ(read_file(dir_ / "opened.txt"), server_->url() + "/index.php#Kalveo\n");
}

TEST_F(UpdateData, DownloadPageFollowsTheLanguage) {
    write_file(site_ / "Kalveo" / "Kalveo_Version_Numbers.txt", "Version=3300\nHangarUpdate=7\n");
    start_server();
    lang_ = "FR";
    write_file(script_, "yes\n");
    EXPECT_EXIT(
        {
            std::freopen("/dev/null", "w", stdout);
            update_data(numver_, lang_, texts_);
        },
        ::testing::ExitedWithCode(0), "");
    EXPECT_EQ(read_file(dir_ / "opened.txt"), server_->url() + "/index_fr.php#Kalveo\n");
}

TEST_F(UpdateData, DeclinedOrFailedBrowserLetsTheProgramGoOn) {
    write_file(site_ / "Kalveo" / "Kalveo_Version_Numbers.txt", "Version=3300\nHangarUpdate=8\n");
    start_server();
    run("no\nyes\nok\n");
    EXPECT_FALSE(std::filesystem::exists(dir_ / "opened.txt"));
    EXPECT_EQ(read_file(data_file_), kNewData); // the data question still came
    ScopedEnv broken("KALVEO_BROWSER", (dir_ / "no-such-browser").string());
    write_file(site_ / "Kalveo" / "Kalveo_Version_Numbers.txt", "Version=3300\nHangarUpdate=8\n");
    run("yes\n");
    EXPECT_EQ(count_of(out_, "exitstat=0\ncmdstat=0"), 1) << out_; // only the version check
}

} // namespace
} // namespace kalveo
