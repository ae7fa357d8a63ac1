#include "platform/dialogs.h"
#include "support/test_files.h"

#include <cstdio>
#include <fcntl.h>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <unistd.h>

namespace kalveo {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsSupersetOf;
using testing::read_file;
using testing::read_text;
using testing::ScopedEnv;
using testing::TempDir;
using testing::write_file;

// What the boxes print on standard output while the object lives.
class Printed {
  public:
    Printed() {
        std::fflush(stdout);
        saved_ = dup(STDOUT_FILENO);
        const int fd = open((dir_ / "out.txt").string().c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        dup2(fd, STDOUT_FILENO);
        close(fd);
    }
    ~Printed() { text(); }
    std::string text() {
        if (saved_ >= 0) {
            std::fflush(stdout);
            dup2(saved_, STDOUT_FILENO);
            close(saved_);
            saved_ = -1;
        }
        return read_text(dir_ / "out.txt");
    }

  private:
    TempDir dir_;
    int saved_ = -1;
};

// Every test gets its own script file, so each starts from the first answer.
class ScriptedDialogs : public ::testing::Test {
  protected:
    void script(std::string_view answers) { write_file(file_, answers); }

    TempDir dir_;
    std::filesystem::path file_ = dir_ / "answers.txt";
    ScopedEnv env_{"KALVEO_DIALOGS", "script:" + file_.string()};
};

TEST_F(ScriptedDialogs, AnswersComeInOrderAcrossBoxesAndKinds) {
    script("yes\nno\r\n  Cancel \nno\nok\nmy answer\nno\n{cancel}\n");
    Printed quiet;
    EXPECT_EQ(tinyfd_messageBox("t", "m", "yesno", "question", 1), 1);
    EXPECT_EQ(tinyfd_messageBox("t", "m", "yesno", "question", 1), 0);
    EXPECT_EQ(tinyfd_messageBox("t", "m", "yesnocancel", "question", 1), 0);
    EXPECT_EQ(tinyfd_messageBox("t", "m", "yesnocancel", "question", 1), 2);
    EXPECT_EQ(tinyfd_messageBox("t", "m", "okcancel", "question", 1), 1);
    EXPECT_EQ(tinyfd_inputBox("t", "m", "default"), "my answer");
    EXPECT_EQ(tinyfd_messageBox("t", "m", "ok", "info", 1), 1) << "an ok box has only ok";
    EXPECT_EQ(tinyfd_inputBox("t", "m", "default"), std::nullopt);
}

TEST_F(ScriptedDialogs, WhenAnswersRunOutEveryBoxGetsItsDefault) {
    script("no\n");
    Printed out;
    EXPECT_EQ(tinyfd_messageBox("t", "m", "yesno", "question", 1), 0);
    EXPECT_EQ(tinyfd_messageBox("t", "m", "yesno", "question", 1), 1);
    EXPECT_EQ(tinyfd_messageBox("t", "m", "yesno", "question", 0), 0);
    EXPECT_EQ(tinyfd_messageBox("t", "m", "yesnocancel", "question", 2), 2);
    EXPECT_EQ(tinyfd_messageBox("t", "m", "okcancel", "question", 9), 1);
    EXPECT_EQ(tinyfd_inputBox("t", "m", "offered"), "offered");
    const std::string printed = out.text();
    EXPECT_THAT(printed, HasSubstr("answer=no\n"));
    EXPECT_THAT(printed, HasSubstr("answer=yes (default)\n"));
    EXPECT_THAT(printed, HasSubstr("answer=\"offered\" (default)\n"));
}

TEST_F(ScriptedDialogs, EmptyOrMissingScriptGivesDefaults) {
    script("");
    Printed out;
    EXPECT_EQ(tinyfd_messageBox("t", "m", "yesnocancel", "question", 1), 1);
    EXPECT_EQ(tinyfd_inputBox("t", "m", ""), "");

    ScopedEnv missing("KALVEO_DIALOGS", "script:" + (dir_ / "nothing.txt").string());
    EXPECT_EQ(tinyfd_messageBox("t", "m", "okcancel", "question", 1), 1);
    EXPECT_THAT(out.text(), HasSubstr("nothing.txt cannot be read"));
}

TEST_F(ScriptedDialogs, EachBoxPrintsOneLine) {
    script("no\nFG 1.5 \"fast\"\n");
    Printed out;
    tinyfd_messageBox("Kalveo", "VNE reached\nSlow down", "yesno", "warning", 1);
    tinyfd_inputBox("Polar", "Name?", "LS8");
    tinyfd_messageBox("Kalveo", "Done", "ok", "info", 1);
    EXPECT_EQ(out.text(),
              "[dialog] messageBox yesno warning title=\"Kalveo\" text=\"VNE reached\\nSlow down\" "
              "answer=no\n"
              "[dialog] inputBox title=\"Polar\" text=\"Name?\" answer=\"FG 1.5 \"fast\"\"\n"
              "[dialog] messageBox ok info title=\"Kalveo\" text=\"Done\" answer=ok (default)\n");
}

TEST_F(ScriptedDialogs, AWordThatIsNoButtonTakesTheDefaultAndIsUsedUp) {
    script("maybe\nno\n");
    Printed out;
    EXPECT_EQ(tinyfd_messageBox("t", "m", "yesno", "question", 1), 1);
    EXPECT_EQ(tinyfd_messageBox("t", "m", "yesno", "question", 1), 0);
    EXPECT_THAT(out.text(), HasSubstr("(script line \"maybe\" is no button: default)"));
}

TEST_F(ScriptedDialogs, ANewScriptStartsFromItsFirstLine) {
    script("no\nno\n");
    const auto other = dir_ / "other.txt";
    write_file(other, "yes\n");
    Printed quiet;
    EXPECT_EQ(tinyfd_messageBox("t", "m", "yesno", "question", 1), 0);
    {
        ScopedEnv switched("KALVEO_DIALOGS", "script:" + other.string());
        EXPECT_EQ(tinyfd_messageBox("t", "m", "yesno", "question", 0), 1);
    }
    // Back to the first script: it starts over.
    EXPECT_EQ(tinyfd_messageBox("t", "m", "yesno", "question", 1), 0);
    EXPECT_EQ(tinyfd_messageBox("t", "m", "yesno", "question", 1), 0);
}

// zenity and kdialog stand-ins that record their arguments and answer as told.
class DesktopDialogs : public ::testing::Test {
  protected:
    void SetUp() override {
        script_ = "#!/bin/sh\n"
                  "for a in \"$@\"; do printf '%s\\n' \"$a\"; done > \"$FAKE_ARGS\"\n"
                  "printf '%s' \"$FAKE_OUT\"\n"
                  "exit \"$FAKE_STATUS\"\n";
    }
    void install(const char* name) {
        const auto program = dir_ / name;
        write_file(program, script_);
        std::filesystem::permissions(program, std::filesystem::perms::owner_all);
    }
    void answer(int status, const std::string& output = "") {
        // The old values go first, or their restore would undo the new ones.
        status_.reset();
        output_.reset();
        status_ = std::make_unique<ScopedEnv>("FAKE_STATUS", std::to_string(status));
        output_ = std::make_unique<ScopedEnv>("FAKE_OUT", output);
    }
    [[nodiscard]] std::vector<std::string> arguments() const {
        std::vector<std::string> lines;
        std::string all = read_file(dir_ / "args.txt");
        std::size_t start = 0;
        for (auto end = all.find('\n'); end != std::string::npos; end = all.find('\n', start)) {
            lines.push_back(all.substr(start, end - start));
            start = end + 1;
        }
        return lines;
    }

    TempDir dir_;
    std::string script_;
    ScopedEnv no_script_{"KALVEO_DIALOGS", std::nullopt};
    ScopedEnv path_{"PATH", dir_.path().string()};
    ScopedEnv display_{"DISPLAY", ":97"};
    ScopedEnv args_{"FAKE_ARGS", (dir_ / "args.txt").string()};
    std::unique_ptr<ScopedEnv> status_;
    std::unique_ptr<ScopedEnv> output_;
};

TEST_F(DesktopDialogs, ZenityAnswersThroughItsStatusAndExtraButton) {
    install("zenity");
    answer(0);
    EXPECT_EQ(tinyfd_messageBox("Kalveo \"3\"", "Save; now?", "yesnocancel", "question", 1), 1);
    EXPECT_THAT(arguments(), IsSupersetOf({"--question", "--extra-button=No", "--no-markup",
                                           "Kalveo \"3\"", "Save; now?"}));
    answer(1, "No\n");
    EXPECT_EQ(tinyfd_messageBox("t", "m", "yesnocancel", "question", 1), 2);
    answer(1);
    EXPECT_EQ(tinyfd_messageBox("t", "m", "yesnocancel", "question", 1), 0);
    EXPECT_EQ(tinyfd_messageBox("t", "m", "yesno", "question", 0), 0);
    EXPECT_THAT(arguments(), IsSupersetOf({"--default-cancel", "--cancel-label=No"}));
    EXPECT_EQ(tinyfd_messageBox("t", "m", "ok", "error", 1), 1);
    EXPECT_THAT(arguments(), ElementsAre("--error", "--no-markup", "--title", "t", "--text", "m"));
}

TEST_F(DesktopDialogs, ZenityInputBoxHandsBackTheTypedLine) {
    install("zenity");
    answer(0, "Ventus 3T\n");
    EXPECT_EQ(tinyfd_inputBox("Glider", "Name?", "LS8"), "Ventus 3T");
    EXPECT_THAT(arguments(), ElementsAre("--entry", "--title", "Glider", "--text", "Name?",
                                         "--entry-text", "LS8"));
    answer(1);
    EXPECT_EQ(tinyfd_inputBox("Glider", "Name?", "LS8"), std::nullopt);
}

TEST_F(DesktopDialogs, KdialogAnswersThroughItsStatus) {
    install("kdialog");
    answer(1);
    EXPECT_EQ(tinyfd_messageBox("t", "m", "yesnocancel", "warning", 1), 2);
    EXPECT_THAT(arguments(), ElementsAre("--title", "t", "--warningyesnocancel", "m"));
    answer(2);
    EXPECT_EQ(tinyfd_messageBox("t", "m", "yesnocancel", "question", 1), 0);
    answer(0);
    EXPECT_EQ(tinyfd_messageBox("t", "m", "okcancel", "question", 1), 1);
    EXPECT_THAT(arguments(), IsSupersetOf({"--yesno", "--yes-label", "OK", "--no-label"}));
    answer(0, "typed\n");
    EXPECT_EQ(tinyfd_inputBox("t", "m", "d"), "typed");
}

TEST_F(DesktopDialogs, AFailingZenityHandsOverToKdialog) {
    // zenity ends with its own error status; kdialog answers yes.
    script_ = "#!/bin/sh\n"
              "case \"$0\" in *zenity) exit 255;; esac\n"
              "printf '%s\\n' \"$@\" > \"$FAKE_ARGS\"\n"
              "exit 0\n";
    install("zenity");
    install("kdialog");
    EXPECT_EQ(tinyfd_messageBox("t", "m", "yesno", "question", 0), 1);
    EXPECT_THAT(arguments(), ElementsAre("--title", "t", "--yesno", "m"));
}

} // namespace
} // namespace kalveo
