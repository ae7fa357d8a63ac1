#include "report/box_text.h"
#include "report/log.h"
#include "report/messages.h"
#include "report/report_fixture.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace kalveo {
namespace {

using ::testing::HasSubstr;
using ::testing::IsEmpty;
using ::testing::Not;
using testing::ShellTest;
using testing::StdoutCapture;

class MessageBoxes : public ShellTest {};

TEST(BoxText, SlashesBecomeLineFeedsExceptEscapedOnes) {
    EXPECT_EQ(box_lines("Speed 1\\/2 VNE/Slow down"), "Speed 1/2 VNE\nSlow down");
    EXPECT_EQ(box_lines("a//b/"), "a\n\nb\n");
    EXPECT_EQ(box_lines("\\\\/x"), "\\/x");
    EXPECT_EQ(box_lines("no slash \\ here"), "no slash \\ here");
}

TEST(BoxText, CutsKeepWholeCharactersAndDropTrailingBlanks) {
    EXPECT_EQ(cut_trimmed("title   ", 63), "title");
    EXPECT_EQ(cut_trimmed(std::string(600, 'x'), kBoxTextLength).size(), 511u);
    // "é" is two bytes; one starting at byte 510 would be split by a cut at 511.
    const std::string accented = std::string(510, 'a') + "\xC3\xA9" + "z";
    EXPECT_EQ(cut_trimmed(accented, kBoxTextLength), std::string(510, 'a'));
    EXPECT_EQ(cut_trimmed(std::string(509, 'a') + "\xC3\xA9", kBoxTextLength).size(), 511u);
}

TEST_F(MessageBoxes, InformationBoxShowsLinesUnderTheDefaultTitle) {
    StdoutCapture out;
    EXPECT_EQ(error_message(kBoxInfo, "Speed 1\\/2 VNE/Slow down", false), kBoxInfo);
    EXPECT_THAT(out.finish(), HasSubstr("[dialog] messageBox ok info title=\"Kalveo\" "
                                        "text=\"Speed 1/2 VNE\\nSlow down\" answer=ok"));
    EXPECT_FALSE(std::filesystem::exists(folder() / "ErrorLog.txt"));
}

TEST_F(MessageBoxes, EachStatusGetsItsButtonsAndIcon) {
    const struct {
        int status;
        const char* shown;
    } kinds[] = {{kBoxInfo, "ok info"},
                 {kBoxError, "ok error"},
                 {kBoxWarning, "ok warning"},
                 {kBoxYesNo, "yesno question"},
                 {kBoxOkCancel, "okcancel question"},
                 {kBoxYesNoCancel, "yesnocancel question"}};
    for (const auto& kind : kinds) {
        StdoutCapture out;
        error_message_tit(kind.status, "T", "text", false);
        EXPECT_THAT(out.finish(), HasSubstr(std::string("messageBox ") + kind.shown + " title="))
            << kind.status;
    }
    StdoutCapture out;
    EXPECT_EQ(error_message_tit(7, "T", "no box for this code", false), 7);
    EXPECT_THAT(out.finish(), Not(HasSubstr("[dialog]")));
}

TEST_F(MessageBoxes, QuestionsReturnTheAnswer) {
    answers("yes\nno\ncancel\nno\nok\n");
    StdoutCapture out;
    EXPECT_EQ(error_message(kBoxYesNo, "Exit?", false), 1);
    EXPECT_EQ(error_message(kBoxYesNo, "Exit?", false), 0);
    EXPECT_EQ(error_message(kBoxOkCancel, "Save?", false), 0);
    EXPECT_EQ(error_message(kBoxYesNoCancel, "Save?", false), 2);
    EXPECT_EQ(error_message(kBoxOkCancel, "Save?", false), 1);
    // Out of answers: the first button.
    EXPECT_EQ(error_message(kBoxYesNoCancel, "Save?", false), 1);
    EXPECT_EQ(error_message(kBoxYesNo, "Exit?", false), 1);
}

TEST_F(MessageBoxes, AnswersOneAndTwoAreCopiedToTheErrorLog) {
    answers("yes\nno\nno\n");
    StdoutCapture out;
    error_message(kBoxYesNo, "Restart now?", false);
    EXPECT_THAT(error_log(), HasSubstr("+ ERROR +-+-"));
    EXPECT_THAT(error_log(), HasSubstr("\nRestart now?\n"));

    std::filesystem::remove(folder() / "ErrorLog.txt");
    error_message(kBoxYesNo, "Declined", false);
    EXPECT_FALSE(std::filesystem::exists(folder() / "ErrorLog.txt"));

    error_message(kBoxYesNoCancel, "Keep changes?", false);
    EXPECT_THAT(error_log(), HasSubstr("+ WARNING +-+-"));
    EXPECT_THAT(error_log(), HasSubstr("\nKeep changes?\n"));
}

TEST_F(MessageBoxes, WarningsAndErrorsReachTheErrorLogLineByLine) {
    StdoutCapture out;
    error_message_tit(kBoxWarning, "Kalveo", "VNE unknown/Using 250 km\\/h", false);
    error_message_tit(kBoxError, "Kalveo", "Sound device missing", false);
    out.finish();
    EXPECT_THAT(error_log(), HasSubstr("+ WARNING +-+-"));
    // The error log splits at every "/" again, the escaped one included.
    EXPECT_THAT(error_log(), HasSubstr("\nVNE unknown\nUsing 250 km\nh\n"));
    EXPECT_THAT(error_log(), HasSubstr("+ ERROR +-+-"));
    EXPECT_THAT(error_log(), HasSubstr("\nSound device missing\n"));
}

TEST_F(MessageBoxes, ConsoleModeShowsNoBoxAndKeepsTheStatus) {
    answers("no\n");
    StdoutCapture out;
    EXPECT_EQ(error_message(kBoxYesNo, "Exit now?/Really", true), kBoxYesNo);
    const std::string console = out.finish();
    EXPECT_THAT(console, Not(HasSubstr("[dialog]")));
    EXPECT_THAT(console, HasSubstr(" Exit now?\nReally\n"));
    EXPECT_FALSE(std::filesystem::exists(folder() / "ErrorLog.txt"));

    StdoutCapture again;
    EXPECT_EQ(error_message(kBoxError, "Console error", true), kBoxError);
    again.finish();
    EXPECT_THAT(error_log(), HasSubstr("\nConsole error\n"));
    // The unused answer is still there for the next box.
    StdoutCapture box;
    EXPECT_EQ(error_message(kBoxYesNo, "Exit?", false), 0);
}

TEST_F(MessageBoxes, LongTextsAndTitlesAreCut) {
    StdoutCapture out;
    error_message_tit(kBoxInfo, std::string(100, 'T'), std::string(600, 'x'), false);
    const std::string console = out.finish();
    EXPECT_THAT(console, HasSubstr("title=\"" + std::string(63, 'T') + "\" "));
    EXPECT_THAT(console, HasSubstr("text=\"" + std::string(511, 'x') + "\" "));
}

TEST_F(MessageBoxes, CountedMessagesAreTracedAndCounted) {
    const ReportCounts before = reported_counts();
    StdoutCapture out;
    error_message_vfl(kBoxError, "Kalveo", "Bad file  ", false);
    error_message_vfl(kBoxWarning, "Kalveo", "Odd value", false);
    error_message_vfl(kBoxWarning, "Kalveo", "Odd value", true);
    error_message_vfl(kBoxInfo, "Kalveo", "Fine", false);
    const std::string console = out.finish();
    EXPECT_EQ(reported_counts().errors - before.errors, 1);
    EXPECT_EQ(reported_counts().warnings - before.warnings, 2);
    EXPECT_THAT(console, HasSubstr(" error_message_vfl : F 1 Bad file\n"));
    EXPECT_THAT(console, HasSubstr(" error_message_vfl : T 2 Odd value\n"));
    EXPECT_THAT(console, HasSubstr("messageBox ok error title=\"Kalveo\" text=\"Bad file\""));
}

TEST_F(MessageBoxes, DisplayMessageLeavesOtherCodesAlone) {
    answers("no\n");
    StdoutCapture out;
    EXPECT_EQ(DisplayMessage("T", "m", -1), -1);
    EXPECT_EQ(DisplayMessage("T", "m", 6), 6);
    EXPECT_THAT(out.finish(), IsEmpty());
    StdoutCapture box;
    EXPECT_EQ(DisplayMessage("T", "m", kBoxWarning), kBoxWarning);
}

} // namespace
} // namespace kalveo
