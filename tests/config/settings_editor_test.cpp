#include "config/records.h"
#include "config/settings_editor.h"
#include "config_fixture.h"
#include "flight/records.h"
#include "report/records.h"

#include <gtest/gtest.h>

namespace kalveo {
namespace {

using ::testing::internal::CaptureStdout;
using ::testing::internal::GetCapturedStdout;

class SettingsEditor : public testing::ConfigTest {
  protected:
    SettingsEditor() {
        write("Settings\\Kalveo.ini", "Port=55278\n");
        my_tas_1.kalveo_init = true;
        my_tas_1.condor_started = true;
        messages.msgeditend = "Restart now?";
    }

    // Runs the editor and returns what the dialogs printed.
    std::string edit(int nsetup, int expected_result) {
        CaptureStdout();
        EXPECT_EQ(config_ini(nsetup), expected_result);
        return GetCapturedStdout();
    }
};

TEST_F(SettingsEditor, EditorCommandIsSplitLikeAShellAndGetsTheFileAsOneArgument) {
    cmndta000.text_editor = "\"C:\\Program Files\\Notepad++\\notepad++.exe\" -multiInst";
    const auto argv = settings_edit_command(0);
    ASSERT_EQ(argv.size(), 3u);
    EXPECT_EQ(argv[0], "C:\\Program Files\\Notepad++\\notepad++.exe");
    EXPECT_EQ(argv[1], "-multiInst");
    EXPECT_EQ(std::filesystem::path(argv[2]).filename(), "Kalveo.ini");
    EXPECT_EQ(std::filesystem::path(argv[2]).parent_path().filename(), "Settings");
}

TEST_F(SettingsEditor, SetupProgramKeepsTheConsoleWhenAsked) {
    cmndta001.qkeepwnd = false;
    EXPECT_EQ(settings_edit_command(1).size(), 1u);
    cmndta001.qkeepwnd = true;
    const auto argv = settings_edit_command(1);
    ASSERT_EQ(argv.size(), 2u);
    EXPECT_EQ(std::filesystem::path(argv[0]).filename(), "Kalveo_Setup.exe");
    EXPECT_EQ(argv[1], "-keep");
}

TEST_F(SettingsEditor, TheEditorOpensTheSettingsFile) {
    cmndta000.text_editor = "sh -c 'cp \"$0\" opened.txt'";
    answer_dialogs("no\n");
    edit(0, 0);
    EXPECT_EQ(read("opened.txt"), "Port=55278\n");
}

TEST_F(SettingsEditor, YesRestartsTheProgram) {
    cmndta000.text_editor = "true";
    answer_dialogs("yes\n");
    const std::string shown = edit(0, 1);
    EXPECT_NE(shown.find("messageBox yesno question title=\"Kalveo\" text=\"Restart now?\""),
              std::string::npos)
        << shown;
    EXPECT_TRUE(cmndta001.qrestart);
    EXPECT_FALSE(my_tas_1.kalveo_init);
    EXPECT_FALSE(my_tas_1.condor_started);
    EXPECT_NE(log_text().find("Kalveo will restart"), std::string::npos);
}

TEST_F(SettingsEditor, NoKeepsTheProgramRunning) {
    cmndta000.text_editor = "true";
    cmndta001.qrestart = true;
    answer_dialogs("no\n");
    edit(0, 0);
    EXPECT_FALSE(cmndta001.qrestart);
    EXPECT_TRUE(my_tas_1.kalveo_init);
}

TEST_F(SettingsEditor, AFailingEditorAsksNothing) {
    for (const char* editor : {"false", "no-such-editor-anywhere", ""}) {
        cmndta000.text_editor = editor;
        cmndta001.qrestart = true;
        const std::string shown = edit(0, 0);
        EXPECT_EQ(shown.find("messageBox"), std::string::npos) << editor;
        EXPECT_FALSE(cmndta001.qrestart) << editor;
    }
    EXPECT_NE(log_text().find("CONFIG :       1       0"), std::string::npos);
}

TEST_F(SettingsEditor, BeforeStartUpHasFinishedNothingIsAskedOrChanged) {
    cmndta000.text_editor = "true";
    my_tas_1.kalveo_init = false;
    cmndta001.qrestart = true;
    const std::string shown = edit(0, 0);
    EXPECT_EQ(shown.find("messageBox"), std::string::npos);
    EXPECT_TRUE(cmndta001.qrestart);
}

} // namespace
} // namespace kalveo
