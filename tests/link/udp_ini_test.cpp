// The simulator's UDP.ini: reading it and getting the telemetry output switched on.
#include "config/records.h"
#include "link/udp_ini.h"
#include "report/log.h"
#include "support/test_files.h"

#include <fstream>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace kalveo {
namespace {

using ::testing::HasSubstr;
using ::testing::Not;
using testing::read_file;
using testing::read_text;
using testing::write_file;

// A UDP.ini as the simulator writes it (CR LF line ends).
struct Udp {
    bool enabled = true;
    bool extended = true;
    int port = 55278;
    int send_interval_ms = 100;
    std::string host = "127.0.0.1";
};

std::string udp_ini_text(const Udp& u) {
    return "[General]\r\nEnabled=" + std::to_string(u.enabled ? 1 : 0) +
           "\r\n\r\n[Connection]\r\nHost=" + u.host + "\r\nPort=" + std::to_string(u.port) +
           "\r\n\r\n[Misc]\r\nSendIntervalMs=" + std::to_string(u.send_interval_ms) +
           "\r\nExtendedData=1\r\nExtendedData1=" + std::to_string(u.extended ? 1 : 0) +
           "\r\nLogToFile=0\r\n";
}

TEST(UdpIniParsing, ReadsEachKeyInItsSection) {
    const auto v = parse_udp_ini(udp_ini_text({.enabled = true,
                                               .extended = true,
                                               .port = 55300,
                                               .send_interval_ms = 50,
                                               .host = "192.168.1.20"}));
    EXPECT_EQ(v.enabled, 1);
    EXPECT_EQ(v.extended, 1);
    EXPECT_EQ(v.port, 55300);
    EXPECT_EQ(v.send_interval, 50);
    EXPECT_TRUE(v.has_host);
    EXPECT_EQ(v.host, "192.168.1.20");
}

TEST(UdpIniParsing, KeysOutsideTheirSectionOrWithEmptyValuesAreSkipped) {
    const auto v = parse_udp_ini("SendIntervalMs=20\n[General]\nEnabled=\nPort=1\n"
                                 "[Connection]\nSendIntervalMs=30\nHost=\nport=2\n"
                                 "[Misc]  \nExtendedData1=1\nEnabled=1\n");
    EXPECT_EQ(v.send_interval, 0);
    EXPECT_EQ(v.enabled, 0);
    EXPECT_EQ(v.port, 0);
    EXPECT_FALSE(v.has_host);
    EXPECT_EQ(v.extended, 1);
}

TEST(UdpIniParsing, SurvivesAnyBytes) {
    std::string text = "[Connection]\r\nHost=" + std::string(60, 'h') + "\r\nPort=55x\r\n";
    text += std::string(300, '=') + "\r\n" + std::string("\0\xff\r\n", 4);
    text += "[Misc]\r\n" + std::string(130, ' ') + "SendIntervalMs=10\r\nExtendedData1=1.0\r\n";
    const auto v = parse_udp_ini(text);
    EXPECT_EQ(v.host, std::string(32, 'h'));
    EXPECT_EQ(v.port, 0);
    EXPECT_EQ(v.send_interval, 0); // beyond the 120 characters looked at
    EXPECT_EQ(v.extended, 0);
}

class UdpSettings : public ::testing::Test {
  protected:
    void SetUp() override {
        std::filesystem::create_directories(dir_ / "Logs");
        cwd_ = std::make_unique<testing::ScopedCwd>(dir_.path());
        dialogs_ = std::make_unique<testing::ScopedEnv>("KALVEO_DIALOGS",
                                                        "script:" + (dir_ / "none").string());
        // Blanks in the folder: the editor must get the file as one argument.
        prefix_ =
            std::make_unique<testing::ScopedEnv>("WINEPREFIX", (dir_ / "wine prefix").string());
        set_error_log_folder(dir_.path().string() + "/");
        texts_.msgudpnact = "Telemetry is off";
        texts_.msgudpenab = "Set Enabled=1";
        texts_.msgextdata = "Set ExtendedData1=1";
        texts_.msgfilnfnd = "File not found";
        texts_.msgrderror = "File cannot be read";
        ::testing::internal::CaptureStdout();
        log_message_f("CREATE Logs\\Logfile.txt");
        (void)::testing::internal::GetCapturedStdout();
    }
    void TearDown() override { set_error_log_folder({}); }

    void write_udp(const Udp& udp) const {
        write_file(dir_ / "wine prefix/drive_c/Condor3/Settings/UDP.ini", udp_ini_text(udp));
    }

    // A stand-in editor: records each call, and switches the output on when `fixes`.
    [[nodiscard]] std::string editor_script(bool fixes) const {
        std::string script = "#!/bin/sh\necho \"$1\" >> '" + (dir_ / "edits.txt").string() + "'\n";
        if (fixes)
            script +=
                "sed -i 's/^Enabled=0/Enabled=1/; s/^ExtendedData1=0/ExtendedData1=1/' \"$1\"\n";
        return script;
    }
    void use_editor(bool fixes) {
        write_file(dir_ / "my editor" / "edit.sh", editor_script(fixes));
        editor_ = "/bin/sh \"" + (dir_ / "my editor" / "edit.sh").string() + "\"";
    }
    // The search path holds a folder of stand-ins and, when `desktop_editor`, the system's own
    // programs and a stand-in for the desktop's editor that fixes the file.
    void search_path(bool desktop_editor) {
        const auto stand_ins = dir_ / "stand-ins";
        std::filesystem::create_directories(stand_ins);
        if (desktop_editor) {
            write_file(stand_ins / "xdg-open", editor_script(true));
            std::filesystem::permissions(stand_ins / "xdg-open", std::filesystem::perms::owner_all);
        }
        path_ = std::make_unique<testing::ScopedEnv>(
            "PATH", stand_ins.string() + (desktop_editor ? ":/usr/bin:/bin" : ""));
    }

    std::string editor_ = "notepad"; ///< the "Text editor" setting
    MessagesRecord texts_;

    struct Result {
        int port = -1, interval = -1, extended = -1;
        std::string host = "unset";
    };
    Result check(int version = 3, const std::function<void(int)>& show_manual = {}) {
        Result r;
        ::testing::internal::CaptureStdout();
        set_udp_ini("C:\\Condor3\\Settings\\UDP.ini", version, r.port, r.interval, r.extended,
                    r.host, editor_, texts_, show_manual);
        console_ = ::testing::internal::GetCapturedStdout();
        return r;
    }

    [[nodiscard]] std::string log() const { return read_text(dir_ / "Logs" / "Logfile.txt"); }
    [[nodiscard]] std::string edits() const { return read_file(dir_ / "edits.txt"); }

    testing::TempDir dir_;
    std::unique_ptr<testing::ScopedCwd> cwd_;
    std::unique_ptr<testing::ScopedEnv> dialogs_, prefix_, path_;
    std::string console_;
};

TEST_F(UdpSettings, EnabledFileGivesItsValuesWithoutAnyMessage) {
    write_udp({.port = 55300, .send_interval_ms = 40, .host = "10.0.0.2"});
    use_editor(true);
    const auto r = check();
    EXPECT_EQ(r.port, 55300);
    EXPECT_EQ(r.interval, 40);
    EXPECT_EQ(r.extended, 1);
    EXPECT_EQ(r.host, "10.0.0.2");
    EXPECT_THAT(console_, Not(HasSubstr("[dialog]")));
    EXPECT_EQ(edits(), "");
    EXPECT_THAT(log(), HasSubstr("set_udp_ini 3 55300"));
}

TEST_F(UdpSettings, MissingFileWarnsAndAssumesTheDefaultPort) {
    const auto r = check();
    EXPECT_EQ(r.port, kDefaultSimulatorPort);
    EXPECT_EQ(r.host, "unset");
    EXPECT_THAT(console_, HasSubstr("messageBox ok warning"));
    EXPECT_THAT(console_, HasSubstr("text=\"C:\\Condor3\\Settings\\UDP.ini\\nFile not found\""));
}

TEST_F(UdpSettings, UnreadableFileWarnsAndAssumesTheDefaultPort) {
    std::filesystem::create_directories(dir_ / "wine prefix/drive_c/Condor3/Settings/UDP.ini");
    const auto r = check();
    EXPECT_EQ(r.port, kDefaultSimulatorPort);
    EXPECT_THAT(console_, HasSubstr("File cannot be read"));
}

TEST_F(UdpSettings, EnabledWithoutPortWarnsAndAssumesTheDefault) {
    write_file(dir_ / "wine prefix/drive_c/Condor3/Settings/UDP.ini",
               "[General]\r\nEnabled=1\r\n[Misc]\r\nExtendedData1=1\r\n");
    const auto r = check(2);
    EXPECT_EQ(r.port, kDefaultSimulatorPort);
    EXPECT_THAT(console_, HasSubstr("Condor 2: Port number not defined in UDP.ini file\\n"
                                    "Assuming defaut = 55278"));
}

TEST_F(UdpSettings, OutputOffIsEditedOnceAndReadAgain) {
    write_udp({.enabled = false, .port = 55301});
    use_editor(true);
    const auto r = check();
    EXPECT_EQ(r.port, 55301);
    EXPECT_EQ(r.extended, 1);
    EXPECT_THAT(console_, HasSubstr("messageBox ok info"));
    EXPECT_THAT(console_, HasSubstr("text=\"Telemetry is off\\nSet Enabled=1\""));
    EXPECT_EQ(edits(), (dir_ / "wine prefix/drive_c/Condor3/Settings/UDP.ini").string() + "\n");
    EXPECT_THAT(log(), HasSubstr("EDIT :0 0"));
}

TEST_F(UdpSettings, ExtendedDataOffNamesOnlyThatSetting) {
    write_udp({.extended = false});
    use_editor(true);
    check();
    EXPECT_THAT(console_, HasSubstr("text=\"Telemetry is off\\nSet ExtendedData1=1\""));
}

TEST_F(UdpSettings, OutputStillOffAfterEditingShowsTheManualAndStops) {
    write_udp({.enabled = false, .extended = false});
    use_editor(false);
    const auto manual = dir_ / "manual.txt";
    const auto show = [manual](int section) { std::ofstream(manual) << "section " << section; };
    EXPECT_EXIT(check(3, show), ::testing::ExitedWithCode(1), "");
    EXPECT_EQ(read_file(manual), "section 3");
    EXPECT_THAT(log(), HasSubstr("UPD not activated or ExtendedData1 not = 1"));
    const std::string calls = edits();
    EXPECT_EQ(std::count(calls.begin(), calls.end(), '\n'), 2);
}

TEST_F(UdpSettings, EditorThatCannotBeFoundGivesWayToTheDesktopsEditor) {
    write_udp({.enabled = false, .port = 55302});
    search_path(true);
    editor_ = "notepad";
    EXPECT_EQ(check().port, 55302);
    EXPECT_EQ(edits(), (dir_ / "wine prefix/drive_c/Condor3/Settings/UDP.ini").string() + "\n");
    EXPECT_THAT(log(), HasSubstr("Text editor not found (notepad), using xdg-open\n"
                                 "xdg-open C:\\Condor3\\Settings\\UDP.ini\nEDIT :0 0"));
}

TEST_F(UdpSettings, EditorThatCannotBeStartedIsLogged) {
    write_udp({.enabled = false});
    search_path(false);
    editor_ = "kalveo-no-such-editor";
    EXPECT_EXIT(check(), ::testing::ExitedWithCode(1), "");
    EXPECT_THAT(log(), HasSubstr("Text editor not found (kalveo-no-such-editor), using xdg-open\n"
                                 "xdg-open C:\\Condor3\\Settings\\UDP.ini\nEDIT :-1 -1"));
    EXPECT_THAT(log(), Not(HasSubstr("EDIT :0 0")));
}

TEST_F(UdpSettings, ReadUdpIniResetsNumbersAndKeepsTheHostWithoutHostLine) {
    write_file(dir_ / "wine prefix/drive_c/Condor3/Settings/UDP.ini",
               "[Misc]\nSendIntervalMs=70\n");
    int enabled = 9, port = 9, interval = 9, extended = 9;
    std::string host = "kept";
    EXPECT_EQ(
        read_udp_ini("C:\\Condor3\\Settings\\UDP.ini", enabled, port, interval, extended, host), 0);
    EXPECT_EQ(enabled, 0);
    EXPECT_EQ(port, 0);
    EXPECT_EQ(interval, 70);
    EXPECT_EQ(extended, 0);
    EXPECT_EQ(host, "kept");
    EXPECT_GT(
        read_udp_ini("C:\\Condor3\\Settings\\Missing.ini", enabled, port, interval, extended, host),
        0);
    EXPECT_EQ(interval, 0);
}

} // namespace
} // namespace kalveo
