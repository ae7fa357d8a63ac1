// The simulator's key assignments from controls.ini, and key names in the log.
#include "flight/records.h"
#include "report/log.h"
#include "sample_install/sample_files.h"
#include "sim/controls.h"
#include "sim/records.h"
#include "support/editor_files.h"
#include "support/test_files.h"

#include <filesystem>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace kalveo {
namespace {

using ::testing::HasSubstr;
using ::testing::Not;
using testing::read_file;
using testing::read_text;
using testing::TempDir;
using testing::write_file;

const std::string kKeyboard(kKeyboardSection);

SimulatorKeys parse(const std::string& text, bool qc3, SimulatorKeys keys = {}) {
    parse_controls_ini(text, qc3, keys);
    return keys;
}

TEST(ControlsParsing, Version3TakesItsSixActions) {
    const auto keys = parse(controls_ini_text(3, {}), true);
    const SampleKeys expected;
    EXPECT_EQ(keys.scnchato, expected.chat);
    EXPECT_EQ(keys.scngrst, expected.gmeter_reset);
    EXPECT_EQ(keys.scnnxtp, expected.next_tp);
    EXPECT_EQ(keys.scnprtp, expected.prev_tp);
    EXPECT_EQ(keys.scnadvtp, expected.advance_tp);
    EXPECT_EQ(keys.scnbugw, expected.bug_wipe);
    EXPECT_EQ(keys.scnchatc, 28);
}

TEST(ControlsParsing, EachVersionHasItsOwnActionNumbers) {
    const std::string text = kKeyboard + "\r\n3074=28\r\n3030=34\r\n";
    EXPECT_EQ(parse(text, true).scnchato, 28);
    EXPECT_EQ(parse(text, false).scnchato, 0);
    EXPECT_EQ(parse(text, false).scngrst, 0);

    const auto v2 = parse(controls_ini_text(2, {.chat = 21, .gmeter_reset = 35}), false);
    EXPECT_EQ(v2.scnchato, 21);
    EXPECT_EQ(v2.scngrst, 35);
    EXPECT_EQ(v2.scnbugw, 0);
    EXPECT_EQ(parse(controls_ini_text(2, {}), true).scnchato, 0);
}

TEST(ControlsParsing, OtherSectionsAreIgnored) {
    const std::string joystick = "[{A2D4C6E0-3B1F-11EF-8001-444553540000}]\n3074=5\n3030=6\n";
    EXPECT_EQ(parse(joystick, true).scnchato, 0);
    // The keyboard section ends at the next device section, not at other brackets.
    const auto keys =
        parse(kKeyboard + "\n3074=20\n" + joystick + kKeyboard + "\n[Misc]\n3030=34\n", true);
    EXPECT_EQ(keys.scnchato, 20);
    EXPECT_EQ(keys.scngrst, 34);
    // The header counts by its first 40 characters.
    EXPECT_EQ(parse(kKeyboard + " ; keyboard\n3074=20\n", true).scnchato, 20);
    EXPECT_EQ(parse(kKeyboard.substr(0, 39) + "\n3074=20\n", true).scnchato, 0);
    EXPECT_EQ(parse("3074=20\n", true).scnchato, 0);
}

TEST(ControlsParsing, EmptyOrUnreadableValuesLeaveTheFieldAndLaterLinesWin) {
    SimulatorKeys before;
    before.scngrst = 34;
    before.scnchato = 20;
    const auto keys = parse(kKeyboard + "\r\n3030=\r\n3074=T\r\n3023=48\r\n3023=49\r\n"
                                        "2999=1\r\nabc=3\r\n=\r\n3042\r\n",
                            true, before);
    EXPECT_EQ(keys.scngrst, 34);
    EXPECT_EQ(keys.scnchato, 20);
    EXPECT_EQ(keys.scnbugw, 49);
    EXPECT_EQ(keys.scnnxtp, 0);
}

TEST(ControlsParsing, SurvivesAnyBytes) {
    std::string text = kKeyboard + "\n" + std::string(1000, '3') + "=7\n";
    text += std::string("\0\xff=\x80\n", 5) + "3074=" + std::string(300, '9') + "\n3043=3\n";
    const auto keys = parse(text, true);
    EXPECT_EQ(keys.scnchato, 0); // out of range
    EXPECT_EQ(keys.scnprtp, 3);
}

TEST(ControlsParsing, EverySavedFormReadsTheSameAndUnreadableKeysAreLogged) {
    const std::string text = kKeyboard + "\n3074=20\n; touches \xC3\xA0 part\n3023=48\n";
    for (const auto& file : testing::editor_files(text)) {
        SCOPED_TRACE(file.editor);
        const auto keys = parse(file.bytes, true);
        EXPECT_EQ(keys.scnchato, 20);
        EXPECT_EQ(keys.scnbugw, 48);
    }
    TempDir dir;
    testing::ScopedCwd cwd(dir.path());
    std::filesystem::create_directory(dir / "Logs");
    log_message_f("CREATE Logs\\Logfile.txt");
    (void)parse(kKeyboard + "\r\n3074=2O\r\n3023=4", true);
    EXPECT_THAT(read_text(dir / "Logs" / "Logfile.txt"),
                HasSubstr("controls.ini line 2 not understood : 3074=2O"));
}

class ControlsFile : public ::testing::Test {
  protected:
    void SetUp() override {
        std::filesystem::create_directories(dir_ / "Logs");
        cwd_ = std::make_unique<testing::ScopedCwd>(dir_.path());
        dialogs_ = std::make_unique<testing::ScopedEnv>("KALVEO_DIALOGS",
                                                        "script:" + (dir_ / "none").string());
        set_error_log_folder(dir_.path().string() + "/");
        ::testing::internal::CaptureStdout();
        log_message_f("CREATE Logs\\Logfile.txt");
        (void)::testing::internal::GetCapturedStdout();
    }
    void TearDown() override { set_error_log_folder({}); }

    ControlsRead read(const std::string& text, bool qc3, int chat_open_key = 0) {
        write_file(dir_ / "controls.ini", text);
        ::testing::internal::CaptureStdout();
        const ControlsRead read =
            read_controls_ini((dir_ / "controls.ini").string(), qc3, false, chat_open_key,
                              "No chat key mapped", "Hotkeys stay on in chat");
        console_ = ::testing::internal::GetCapturedStdout();
        return read;
    }

    [[nodiscard]] std::string log() const { return read_text(dir_ / "Logs" / "Logfile.txt"); }

    TempDir dir_;
    std::unique_ptr<testing::ScopedCwd> cwd_;
    std::unique_ptr<testing::ScopedEnv> dialogs_;
    std::string console_;
};

TEST_F(ControlsFile, ReadsTheFileAndLogsTheChatAndTurnpointKeys) {
    const ControlsRead read = this->read(controls_ini_text(3, {}), true);
    EXPECT_EQ(read.status, 0);
    EXPECT_EQ(read.keys.scnchato, 20);
    EXPECT_EQ(read.keys.scnbugw, SampleKeys{}.bug_wipe);
    EXPECT_THAT(log(), HasSubstr("OPEN 0"));
    EXPECT_THAT(log(), HasSubstr("ScnChatO:20"));
    EXPECT_THAT(log(), HasSubstr("ScnNxTP:201"));
    EXPECT_THAT(log(), HasSubstr("ScnPrTP:209"));
    EXPECT_THAT(console_, Not(HasSubstr("[dialog]")));
    EXPECT_THAT(console_, HasSubstr("read_controls_ini 0"));
}

TEST_F(ControlsFile, MissingChatKeyWarnsUnlessOneIsSet) {
    EXPECT_EQ(read(controls_ini_text(2, {}), true).status, 0);
    EXPECT_THAT(console_, HasSubstr("messageBox ok warning"));
    EXPECT_THAT(console_, HasSubstr("No chat key mapped\\n- Message\\nread_controls_ini\\n"
                                    "Hotkeys stay on in chat"));
    read(controls_ini_text(2, {}), true, 84);
    EXPECT_THAT(console_, Not(HasSubstr("[dialog]")));
}

TEST_F(ControlsFile, UnopenableFileGivesAPositiveStatus) {
    std::filesystem::create_directories(dir_ / "folder.ini");
    ::testing::internal::CaptureStdout();
    const ControlsRead read =
        read_controls_ini((dir_ / "folder.ini").string(), true, false, 0, "mapping", "unsupported");
    (void)::testing::internal::GetCapturedStdout();
    EXPECT_GT(read.status, 0);
    EXPECT_THAT(log(), HasSubstr("OPEN 1"));
}

TEST_F(ControlsFile, KeyNamesGoToTheLog) {
    Print_Key_Name("KeyChatO", 84);
    Print_Key_Name("ScnGRst", -57);
    EXPECT_THAT(log(), HasSubstr("KeyChatO : 84 T\n"));
    EXPECT_THAT(log(), HasSubstr("ScnGRst : 57 Space\n"));
}

TEST(KeyNameLine, VirtualKeysShowAsCharactersScanCodesByName) {
    EXPECT_EQ(key_name_line("KeyInc", 73), "KeyInc : 73 I");
    EXPECT_EQ(key_name_line("KeyHUDS", 60), "KeyHUDS : 60 <");
    EXPECT_EQ(key_name_line("Chat", -28), "Chat : 28 Enter");
    EXPECT_EQ(key_name_line("NumEnter", -284), "NumEnter : 284 Num Enter");
    EXPECT_EQ(key_name_line("Odd", -200), "Odd : 200 ???? ");
    EXPECT_EQ(key_name_line("None", 0), "None : 0 ???? ");
    // A code with modifiers shows its key part.
    EXPECT_EQ(key_name_line("Ctrl I", 10073), "Ctrl I : 10073 I");
    EXPECT_EQ(key_name_line("Odd", 7), "Odd : 7 ?");
}

} // namespace
} // namespace kalveo
