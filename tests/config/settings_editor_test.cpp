#include "config/settings_editor.h"
#include "config_fixture.h"

#include <chrono>
#include <filesystem>
#include <gtest/gtest.h>
#include <optional>
#include <thread>

namespace kalveo {
namespace {

using ::testing::internal::CaptureStdout;
using ::testing::internal::GetCapturedStdout;

class SettingsEditor : public testing::ConfigTest {
  protected:
    SettingsEditor() {
        write("Settings\\Kalveo.ini", "Port=55278\n");
        use_editor("notepad");
    }

    static void use_editor(std::string command, bool keep_console = false) {
        set_up_settings_editing({std::move(command), keep_console, "Restart now?"});
    }

    // The search path holds only a stand-in for the desktop's editor, which records what it
    // opens (when `desktop_editor`), and the system's own programs.
    void search_path(bool desktop_editor) {
        const auto stand_ins = folder_ / "stand-ins";
        std::filesystem::create_directories(stand_ins);
        if (desktop_editor) {
            write("stand-ins\\xdg-open",
                  "#!/bin/sh\necho \"$@\" >> '" + (folder_ / "desktop-edits.txt").string() + "'\n");
            std::filesystem::permissions(stand_ins / "xdg-open", std::filesystem::perms::owner_all);
        }
        path_.emplace("PATH", stand_ins.string() + (desktop_editor ? ":/usr/bin:/bin" : ""));
    }

    std::optional<testing::ScopedEnv> path_;

    // Runs the editor to its end, as the event loop's ticks do, and returns what the dialogs
    // printed.
    std::string edit(int nsetup, int expected_result) {
        CaptureStdout();
        start_settings_edit(nsetup);
        EXPECT_EQ(finish(), expected_result);
        return GetCapturedStdout();
    }

    // Ticks until the editor's end has been taken up; what the last tick returned.
    static int finish() {
        int result = 0;
        for (int tick = 0; tick < 2000 && settings_editor_open(); ++tick) {
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
            result = settings_edit_ended();
        }
        EXPECT_FALSE(settings_editor_open()) << "the editor did not end";
        return result;
    }
};

TEST_F(SettingsEditor, EditorCommandIsSplitLikeAShellAndGetsTheFileAsOneArgument) {
    const auto editor = folder_ / "Program Files" / "edit";
    write("Program Files\\edit", "#!/bin/sh\n");
    std::filesystem::permissions(editor, std::filesystem::perms::owner_all);
    use_editor("\"" + editor.string() + "\" -multiInst");
    const auto argv = settings_edit_command(0);
    ASSERT_EQ(argv.size(), 3u);
    EXPECT_EQ(argv[0], editor.string());
    EXPECT_EQ(argv[1], "-multiInst");
    EXPECT_EQ(std::filesystem::path(argv[2]).filename(), "Kalveo.ini");
    EXPECT_EQ(std::filesystem::path(argv[2]).parent_path().filename(), "Settings");
}

TEST_F(SettingsEditor, SetupProgramKeepsTheConsoleWhenAsked) {
    EXPECT_EQ(settings_edit_command(1).size(), 1u);
    use_editor("notepad", true);
    const auto argv = settings_edit_command(1);
    ASSERT_EQ(argv.size(), 2u);
    EXPECT_EQ(std::filesystem::path(argv[0]).filename(), "Kalveo_Setup.exe");
    EXPECT_EQ(argv[1], "-keep");
}

TEST_F(SettingsEditor, TheEditorOpensTheSettingsFile) {
    use_editor("sh -c 'cp \"$0\" opened.txt'");
    answer_dialogs("no\n");
    edit(0, 0);
    EXPECT_EQ(read("opened.txt"), "Port=55278\n");
}

TEST_F(SettingsEditor, YesRestartsTheProgram) {
    use_editor("true");
    answer_dialogs("yes\n");
    const std::string shown = edit(0, 1);
    EXPECT_NE(shown.find("messageBox yesno question title=\"Kalveo\" text=\"Restart now?\""),
              std::string::npos)
        << shown;
    EXPECT_NE(log_text().find("Kalveo will restart"), std::string::npos);
}

TEST_F(SettingsEditor, NoKeepsTheProgramRunning) {
    use_editor("true");
    answer_dialogs("no\n");
    edit(0, 0);
}

TEST_F(SettingsEditor, AnEditorThatCannotBeFoundGivesWayToTheDesktopsEditor) {
    search_path(true);
    const std::string file = "Settings/Kalveo.ini";
    // One script: the dialogs read a script file once.
    answer_dialogs("yes\nyes\nyes\nyes\nno\n");
    for (const char* editor : {"notepad", "\"C:\\Program Files\\Notepad++\\notepad++.exe\" -n1",
                               "/opt/no such folder/gedit", ""}) {
        use_editor(editor);
        // The stand-in returns at once, as xdg-open does: the question follows at once.
        const std::string shown = edit(0, 1);
        EXPECT_NE(shown.find("Restart now?"), std::string::npos) << editor;
        EXPECT_NE(log_text().find("Text editor not found (" + std::string(editor) +
                                  "), using xdg-open\nxdg-open " + file + "\n"),
                  std::string::npos)
            << editor;
    }
    EXPECT_EQ(read("desktop-edits.txt"), file + "\n" + file + "\n" + file + "\n" + file + "\n");

    use_editor("sh -c true");
    edit(0, 0);
    EXPECT_EQ(log_text().find("Text editor not found (sh -c true)"), std::string::npos);
}

TEST_F(SettingsEditor, AFailingEditorAsksNothing) {
    // No desktop editor to fall back on either.
    search_path(false);
    for (const char* editor : {"/bin/false", "no-such-editor-anywhere", ""}) {
        use_editor(editor);
        const std::string shown = edit(0, 0);
        EXPECT_EQ(shown.find("messageBox"), std::string::npos) << editor;
    }
    EXPECT_NE(log_text().find("CONFIG :       1       0"), std::string::npos);
}

TEST_F(SettingsEditor, TheEditorRunsBesideTheCallerOneAtATime) {
    use_editor("sh -c 'sleep 0.5'");
    answer_dialogs("yes\n");
    ASSERT_TRUE(start_settings_edit(0));
    EXPECT_EQ(settings_edit_ended(), 0);
    EXPECT_TRUE(settings_editor_open());
    EXPECT_FALSE(start_settings_edit(0)) << "a second editor while one is open";
    EXPECT_EQ(finish(), 1);
}

TEST_F(SettingsEditor, TheSetupProgramWhereItIsIsStarted) {
    write("Kalveo_Setup.exe", "#!/bin/sh\necho \"$@\" > setup-ran.txt\n");
    std::filesystem::permissions("Kalveo_Setup.exe", std::filesystem::perms::owner_all);
    use_editor("notepad", true);
    answer_dialogs("no\n");
    edit(1, 0);
    EXPECT_EQ(read("setup-ran.txt"), "-keep\n");
}

} // namespace
} // namespace kalveo
