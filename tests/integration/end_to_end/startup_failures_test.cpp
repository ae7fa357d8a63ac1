// Start-up conditions the program cannot run with: each ends it with its message, a log line
// and a non-zero status. And -help, which shows the usage.
#include "platform/socket.h"
#include "program_folder.h"

#include <gtest/gtest.h>

namespace kalveo::testing {
namespace {

struct Outcome {
    std::optional<int> status;
    std::string output; ///< early output and StdOut.log
    std::string log;    ///< the run log, or the log written before it existed
};

Outcome run(ProgramFolder& folder, const std::vector<std::string>& args = {}) {
    EXPECT_TRUE(folder.ready()) << folder.problem();
    Outcome out;
    auto program = folder.start(args, "");
    out.status = program->wait(20.0);
    out.output = read_file(folder.early_output()) + read_file(folder.stdout_log());
    out.log = read_file(folder.run_log()) + read_file(folder.program_dir() / "Logfile.txt");
    return out;
}

void expect_fatal(const Outcome& out, const std::string& message) {
    ASSERT_TRUE(out.status.has_value()) << "still running";
    EXPECT_NE(*out.status, 0);
    EXPECT_NE(out.output.find(message), std::string::npos) << out.output;
    EXPECT_NE(out.log.find(message), std::string::npos) << out.log;
}

TEST(StartupFailureTest, SettingsFolderNotWritable) {
    ProgramFolder folder;
    std::filesystem::remove_all(folder.program_dir() / "Settings");
    write_file(folder.program_dir() / "Settings", "a file where the folder should be");
    const Outcome out = run(folder);
    expect_fatal(out, "folder is not writable");
    EXPECT_NE(out.output.find("messageBox ok error"), std::string::npos);
}

TEST(StartupFailureTest, SettingsFileUnreadable) {
    ProgramFolder folder;
    std::filesystem::remove(folder.settings_file());
    expect_fatal(run(folder), "Kalveo.ini error reading");
}

TEST(StartupFailureTest, NoSimulatorInstalled) {
    SampleInstallOptions nothing;
    nothing.condor3 = false;
    ProgramFolder folder(nothing);
    expect_fatal(run(folder), "No Condor installation detected");
}

TEST(StartupFailureTest, VersionsTwoAndThreeSendDifferently) {
    SampleInstallOptions both;
    both.condor2 = true;
    ProgramFolder folder(both);
    SampleUdp other;
    other.port = folder.port() + 1;
    write_file(folder.sample().condor2.install / "Settings" / "UDP.ini", udp_ini_text(other));
    expect_fatal(run(folder), "UDP.ini files for Condor 2 and Condor 3 are different");
}

TEST(StartupFailureTest, PortAlreadyInUse) {
    ProgramFolder folder;
    socket_library_start();
    const SocketHandle taken = udp_socket_open();
    ASSERT_NE(taken, kNoSocket);
    ASSERT_EQ(socket_bind(taken, Ipv4Endpoint{kIpv4Any, static_cast<std::uint16_t>(folder.port())}),
              0);
    const Outcome out = run(folder);
    socket_close(taken);
    expect_fatal(out, "UDP could not be inialized");
}

TEST(StartupFailureTest, HelpShowsTheUsageWhereItWasAskedFor) {
    ProgramFolder folder;
    // The previous run's logs are kept, not overwritten.
    write_file(folder.run_log(), "the flight before\n");
    write_file(folder.program_dir() / "ErrorLog.txt", "its errors\n");
    auto program = folder.start({"-help"}, "");
    const auto status = program->wait(20.0);
    ASSERT_TRUE(status.has_value());
    EXPECT_EQ(*status, 0);
    const std::string shown = read_file(folder.early_output());
    EXPECT_NE(shown.find(" Usage :"), std::string::npos) << shown;
    EXPECT_NE(shown.find("kalveo [-help] [-kmh|-kph|-mph|-kts|-fpf]"), std::string::npos) << shown;
    EXPECT_EQ(read_file(folder.program_dir() / "Logs" / "Logfile.txt.bak"), "the flight before\n");
    EXPECT_EQ(read_file(folder.program_dir() / "ErrorLog.txt.bak"), "its errors\n");
    EXPECT_NE(read_file(folder.run_log()).find("Usage shown"), std::string::npos);
}

} // namespace
} // namespace kalveo::testing
