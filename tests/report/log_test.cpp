#include "report/log.h"
#include "report/report_fixture.h"
#include "support/matchers.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace kalveo {
namespace {

using testing::contains;
using ::testing::HasSubstr;
using testing::kStampPattern;
using testing::MatchesPattern;
using ::testing::Not;
using testing::read_file;
using testing::read_text;
using testing::ShellTest;
using testing::StdoutCapture;
using testing::write_file;

const std::string kPairs39 = [] {
    std::string s;
    for (int i = 0; i < 39; ++i)
        s += "+-";
    return s;
}();

std::string pairs(int n) {
    return kPairs39.substr(0, 2 * static_cast<std::size_t>(n));
}

const std::string kInfo = "+ INFO " + pairs(36);
const std::string kWarning = "+ WARNING " + pairs(34);
const std::string kError = "+ ERROR " + pairs(35);
const std::string kTrailer = kPairs39;

// A literal text inside a regular expression.
std::string literal(const std::string& text) {
    std::string out;
    for (char c : text) {
        if (std::string_view("+.*?()[]{}|^$\\").find(c) != std::string_view::npos) out += '\\';
        out += c;
    }
    return out;
}

// The log without its first two lines (date and empty line).
std::string log_body(const std::string& log) {
    const auto second = log.find('\n', log.find('\n') + 1);
    return second == std::string::npos ? std::string{} : log.substr(second + 1);
}

class LogFile : public ShellTest {};

TEST_F(LogFile, HeaderAndTrailerLinesHaveTheirWidths) {
    EXPECT_EQ(kInfo.size(), 79u);
    EXPECT_EQ(kWarning.size(), 78u);
    EXPECT_EQ(kError.size(), 78u);
    EXPECT_EQ(kTrailer.size(), 78u);
}

TEST_F(LogFile, CreateStartsAFreshLogWithTheDate) {
    write_file(folder() / "Logs" / "Logfile.txt", "old run\n");
    StdoutCapture out;
    EXPECT_EQ(log_message_f("CREATE Logs\\Logfile.txt"), "Logs\\Logfile.txt");
    const std::string console = out.finish();
    EXPECT_THAT(log(), MatchesPattern(std::string(kStampPattern) + "\n\n"));
    EXPECT_THAT(console, HasSubstr("CREATE Logs\\Logfile.txt 0"));

    log_message_f("next line");
    EXPECT_EQ(log_body(log()), "next line\n");
}

TEST_F(LogFile, CreateWithoutNameUsesTheProgramNameAndTime) {
    const std::string pattern =
        "Kalveo_[0-9]{4}_[0-9]{2}_[0-9]{2}-[0-9]{2}_[0-9]{2}_[0-9]{2}\\.log";
    set_program_name("C:\\Kalveo\\Kalveo.exe");
    StdoutCapture out;
    const std::string blank_name = log_message_f("CREATE    ");
    EXPECT_THAT(blank_name, MatchesPattern(pattern));
    EXPECT_TRUE(std::filesystem::exists(folder() / blank_name));

    set_program_name("/opt/kalveo/my.prog.v2");
    const std::string sent = log_message_f("CREATE-SEND-NAME");
    EXPECT_THAT(sent, MatchesPattern("my_[0-9_]{10}-[0-9_]{8}\\.log"));
    log_message_f("goes to the named log");
    out.finish();
    EXPECT_THAT(read_text(folder() / sent), HasSubstr("goes to the named log\n"));
    EXPECT_EQ(log_body(log()), "") << "the first log gets nothing once another is created";
    set_program_name("");
}

TEST_F(LogFile, PlainMessageSplitsAtSlashesAndEchoesChannelAndStatus) {
    StdoutCapture out;
    log_message_f("first  /second//last/");
    const std::string console = out.finish();
    EXPECT_EQ(log_body(log()), "first\nsecond\n\nlast\n\n");
    EXPECT_EQ(console, "  33   0 first\n  33   0 second\n  33   0 \n  33   0 last\n  33   0 \n");
}

TEST_F(LogFile, OutsideTextNeverGivesAMessageItsMeaning) {
    // A datagram or a file line that starts like a fatal message or a CREATE, formatted
    // into a message, is logged as text: the program goes on and keeps its log.
    StdoutCapture out;
    log_printf("%s", "{F}time=12.0/airspeed=30");
    log_printf("%s", "CREATE other.txt");
    log_verbatim("{E}device");
    log_printf("{W}%s", "a warning of the program's own");
    out.finish();
    const std::string body = log_body(log());
    EXPECT_THAT(body, HasSubstr("{F}time=12.0\nairspeed=30\n"));
    EXPECT_THAT(body, HasSubstr("CREATE other.txt\n"));
    EXPECT_THAT(body, HasSubstr("{E}device\n"));
    EXPECT_THAT(body, Not(HasSubstr(kError)));
    EXPECT_THAT(body, HasSubstr(kWarning));
}

TEST_F(LogFile, QuotedMessageIsOneLineWithoutItsQuotes) {
    StdoutCapture out;
    log_message_f("\"C:/Condor3/Logs/Logfile.txt\"");
    EXPECT_EQ(out.finish(), "C:/Condor3/Logs/Logfile.txt\n");
    EXPECT_EQ(log_body(log()), "C:/Condor3/Logs/Logfile.txt\n");
}

TEST_F(LogFile, LineFeedsAndBlankMessagesBecomeLines) {
    EXPECT_EQ(make_printable("a\nb\n"), "a/b/");
    StdoutCapture out;
    log_message_f("one\ntwo");
    log_message_f("   ");
    out.finish();
    EXPECT_EQ(log_body(log()), "one\ntwo\n\n");
}

TEST_F(LogFile, InformationIsFramedAndStaysOutOfTheErrorLog) {
    StdoutCapture out;
    log_message_f("{I}Sounds loaded/7 files");
    const std::string console = out.finish();
    EXPECT_EQ(log_body(log()), kInfo + "\nSounds loaded\n7 files\n" + kTrailer + "\n");
    EXPECT_EQ(console, kInfo + "\n  33   0 Sounds loaded\n  33   0 7 files\n" + kTrailer + "\n");
    EXPECT_FALSE(std::filesystem::exists(folder() / "ErrorLog.txt"));
}

TEST_F(LogFile, WarningGoesToTheLogAndTheErrorLogWithATimeStamp) {
    StdoutCapture out;
    log_message_f("{W}UDP.ini differs/Check the port");
    const std::string console = out.finish();
    EXPECT_EQ(log_body(log()), kWarning + "\nUDP.ini differs\nCheck the port\n" + kTrailer + "\n");
    EXPECT_THAT(error_log(),
                MatchesPattern("\n" + std::string(kStampPattern) + "\n" + literal(kWarning) +
                               "\nUDP.ini differs\nCheck the port\n"));
    // Console: log header, the error-log entry, then the log lines and trailer.
    const auto header = console.find(kWarning);
    const auto entry = console.find("  66   0 UDP.ini differs");
    const auto line = console.find("  33   0 UDP.ini differs");
    const auto trailer = console.find(kTrailer);
    ASSERT_NE(header, std::string::npos);
    EXPECT_LT(header, entry);
    EXPECT_LT(entry, line);
    EXPECT_LT(line, trailer);
    EXPECT_THAT(console, HasSubstr("  66   0 Check the port\n"));
}

TEST_F(LogFile, ErrorsAccumulateInTheErrorLog) {
    write_file(folder() / "ErrorLog.txt", "earlier run\n");
    StdoutCapture out;
    log_message_f("{E}first");
    log_error_f("second", kSeverityError);
    log_error_f("third, no header", 7);
    out.finish();
    const std::string stamp(kStampPattern);
    EXPECT_THAT(error_log(), MatchesPattern("earlier run\n\n" + stamp + "\n" + literal(kError) +
                                            "\nfirst\n\n" + stamp + "\n" + literal(kError) +
                                            "\nsecond\n\n" + stamp + "\nthird, no header\n"));
    EXPECT_EQ(log_body(log()), kError + "\nfirst\n" + kTrailer + "\n");
}

TEST_F(LogFile, ErrorLogLiesInTheProgramFolderWithOrWithoutSeparator) {
    for (const std::string ending : {"", "\\", "/"}) {
        std::filesystem::remove(folder() / "ErrorLog.txt");
        set_error_log_folder(folder().string() + ending);
        StdoutCapture out;
        log_error_f("entry", kSeverityWarning);
        const std::string console = out.finish();
        EXPECT_THAT(error_log(), HasSubstr("\nentry\n")) << "app_path ending '" << ending << "'";
        EXPECT_THAT(console, HasSubstr(" 66 " + folder().string()));
    }
}

TEST_F(LogFile, MessagesAreCutAt1024Characters) {
    StdoutCapture out;
    log_message_f("{I}" + std::string(1500, 'x'));
    log_message_f(std::string(1100, 'y'));
    log_error_f(std::string(1030, 'z'), kSeverityWarning);
    out.finish();
    EXPECT_THAT(log(), HasSubstr("\n" + std::string(1024, 'x') + "\n"));
    EXPECT_THAT(log(), HasSubstr("\n" + std::string(1024, 'y') + "\n"));
    EXPECT_THAT(error_log(), HasSubstr("\n" + std::string(1024, 'z') + "\n"));
}

TEST_F(LogFile, OnlyALeadingPrefixCountsAsSeverity) {
    StdoutCapture out;
    log_message_f(" {W}not a warning");
    log_message_f("{X}unknown");
    out.finish();
    EXPECT_EQ(log_body(log()), " {W}not a warning\n{X}unknown\n");
    EXPECT_FALSE(std::filesystem::exists(folder() / "ErrorLog.txt"));
}

TEST_F(LogFile, MissingLogFolderShowsTheFailedWritesAndGoesOn) {
    StdoutCapture out;
    log_message_f("CREATE NoSuchFolder\\Logfile.txt");
    log_message_f("still running");
    const std::string console = out.finish();
    EXPECT_THAT(console,
                MatchesPattern("(.|\n)*CREATE NoSuchFolder\\\\Logfile.txt [1-9][0-9]*\n(.|\n)*"));
    EXPECT_THAT(console, MatchesPattern("(.|\n)*  33 +[1-9][0-9]* still running\n"));
    EXPECT_THAT(console, Not(HasSubstr("  33   0")));
}

TEST_F(LogFile, PrintMessageWritesToTheNamedChannel) {
    StdoutCapture out;
    print_message(kErrorLogChannel, "direct/entry");
    print_message(kLogChannel, "\"x/y\"");
    const std::string console = out.finish();
    EXPECT_EQ(error_log(), "direct\nentry\n");
    EXPECT_EQ(log_body(log()), "x/y\n");
    EXPECT_THAT(console, HasSubstr("  66   0 direct\n  66   0 entry\n"));
}

} // namespace
} // namespace kalveo
