// The real program started from a desktop, without WINEPREFIX, in a made-up home folder
// where the simulator lives in the prefix of one Wine front-end or another: it finds it, takes
// the one flown last of several, keeps to the one the settings pin, and without any says so.
#include "program_folder.h"

#include <chrono>
#include <functional>
#include <gtest/gtest.h>
#include <map>

namespace kalveo::testing {
namespace {

namespace fs = std::filesystem;

constexpr const char* kNoSimulator = "No Condor installation detected";

// A home folder with Wine prefixes in it, and a disk of its own beside it.
class Home {
  public:
    explicit Home(int port) : port_(port) {}

    [[nodiscard]] fs::path path() const { return root_ / "home"; }
    [[nodiscard]] fs::path disk() const { return root_ / "disk2"; }

    // The simulator in a prefix, its log written `minutes` ago, with a pilot named after it.
    void simulator(const fs::path& prefix, const std::string& pilot, int minutes,
                   const std::string& login = {}) {
        SampleInstallOptions options;
        options.pilot = pilot;
        options.udp.port = port_;
        options.login = login;
        const SampleInstall sample = build_sample_installation(prefix, options);
        ASSERT_TRUE(sample.ok) << sample.error;
        pilot_folders_[pilot] = sample.condor3.pilot_dir;
        fs::last_write_time(sample.condor3.install / "Logs" / "Logfile.txt",
                            fs::file_time_type::clock::now() - std::chrono::minutes(minutes));
    }

    // A prefix some other program lives in.
    void other_prefix(const fs::path& prefix) const {
        write_file(prefix / "user.reg", "WINE REGISTRY Version 2\n\n[Software\\\\Wine] 1\n");
        fs::create_directories(prefix / "drive_c" / "windows");
    }

    void file(const std::string& name, const std::string& text) const {
        write_file(path() / name, text);
    }

    /// The pilot's folder as Windows names it ("C:\users\<login>\Documents\...").
    [[nodiscard]] std::string pilot_folder(const std::string& pilot) const {
        const auto it = pilot_folders_.find(pilot);
        return it == pilot_folders_.end() ? std::string() : it->second;
    }

  private:
    TempDir root_;
    int port_;
    std::map<std::string, std::string> pilot_folders_;
};

struct HomeCase {
    const char* what;
    std::function<void(Home&)> lay_out;
    const char* pinned;      ///< the setting "Wine prefix", or nullptr
    const char* pilot;       ///< the pilot found, or nullptr: no simulator found
    const char* chosen_line; ///< what the log says of the choice
};

void flown_in_wine_and_bottles(Home& h) {
    h.simulator(h.path() / ".wine", "Wine Pilot", 60);
    h.simulator(h.path() / ".local/share/bottles/bottles/Condor", "Bottles Pilot", 5);
}

const HomeCase kCases[] = {
    {"a Lutris-style prefix under ~/Games",
     [](Home& h) {
         h.other_prefix(h.path() / ".wine");
         h.other_prefix(h.path() / "Games" / "some-other-game");
         h.simulator(h.path() / "Games" / "condor-3", "Lutris Pilot", 10);
     },
     nullptr, "Lutris Pilot", "/Games/condor-3 (the only one with Condor)"},
    {"a prefix a Lutris game file names",
     [](Home& h) {
         h.file(".config/lutris/games/condor-3-1700000000.yml",
                "game:\n  exe: x\n  prefix: ~/wine/condor\nname: Condor 3\n");
         h.simulator(h.path() / "wine" / "condor", "Lutris Pilot", 10);
     },
     nullptr, "Lutris Pilot", "/wine/condor (the only one with Condor)"},
    {"a Bottles Flatpak prefix",
     [](Home& h) {
         h.other_prefix(h.path() / ".local/share/bottles/bottles/Office");
         h.simulator(h.path() / ".var/app/com.usebottles.bottles/data/bottles/bottles/Condor3",
                     "Bottles Pilot", 10);
     },
     nullptr, "Bottles Pilot", "/bottles/Condor3 (the only one with Condor)"},
    {"a Proton prefix of a second Steam library",
     [](Home& h) {
         const fs::path steam = h.path() / ".local/share/Steam";
         h.file(".local/share/Steam/steamapps/libraryfolders.vdf",
                "\"libraryfolders\"\n{\n\t\"0\"\n\t{\n\t\t\"path\"\t\t\"" + steam.string() +
                    "\"\n\t}\n\t\"1\"\n\t{\n\t\t\"path\"\t\t\"" +
                    (h.disk() / "SteamLibrary").string() + "\"\n\t}\n}\n");
         fs::create_directories(h.path() / ".steam");
         fs::create_directory_symlink(steam, h.path() / ".steam/steam");
         h.other_prefix(steam / "steamapps/compatdata/228980/pfx");
         // Proton's user folder is "steamuser" whoever the login is.
         h.simulator(h.disk() / "SteamLibrary/steamapps/compatdata/2349750/pfx", "Proton Pilot", 10,
                     "steamuser");
     },
     nullptr, "Proton Pilot", "/compatdata/2349750/pfx (the only one with Condor)"},
    {"two prefixes with the simulator: the one flown last", flown_in_wine_and_bottles, nullptr,
     "Bottles Pilot", "/bottles/Condor (Condor was flown there last)"},
    {"two prefixes with the simulator: the setting pins the other", flown_in_wine_and_bottles,
     "~/.wine", "Wine Pilot", "/.wine (setting Wine prefix) : Condor 3"},
    {"no prefix with the simulator",
     [](Home& h) {
         h.other_prefix(h.path() / ".wine");
         h.other_prefix(h.path() / ".local/share/bottles/bottles/Office");
     },
     nullptr, nullptr, "/.wine (no prefix holds Condor)"},
};

TEST(WinePrefixSearch, TheSimulatorIsFoundInThePrefixOfItsFrontEnd) {
    for (const HomeCase& c : kCases) {
        SCOPED_TRACE(c.what);
        ProgramFolder folder;
        ASSERT_TRUE(folder.ready()) << folder.problem();
        Home home(folder.port());
        c.lay_out(home);
        if (c.pinned != nullptr) folder.set_setting("Wine prefix", c.pinned);

        auto env = folder.environment("");
        env["WINEPREFIX"] = "";
        env["HOME"] = home.path().string();
        ProgramRun run(folder.program_dir() / "kalveo", {}, env, folder.early_output());
        const std::string waited_for = c.pilot != nullptr ? "Condor 3 install path" : kNoSimulator;
        EXPECT_TRUE(wait_for_text(folder.run_log(), waited_for, 20.0));

        const std::string log = read_file(folder.run_log());
        EXPECT_NE(log.find(c.chosen_line), std::string::npos) << log;
        if (c.pilot == nullptr) {
            const auto status = run.wait(10.0);
            ASSERT_TRUE(status.has_value());
            EXPECT_NE(*status, 0);
            continue;
        }
        // The registry and the user folder were read in the prefix found.
        const std::string console = read_file(folder.stdout_log());
        EXPECT_NE(console.find("Final Path : " + home.pilot_folder(c.pilot) + "\n"),
                  std::string::npos)
            << console;
    }
}

TEST(WinePrefixSearch, HelpTellsHowThePrefixIsChosen) {
    ProgramFolder folder;
    ASSERT_TRUE(folder.ready()) << folder.problem();
    auto program = folder.start({"-help"}, "");
    ASSERT_TRUE(program->wait(20.0).has_value());
    const std::string shown = read_file(folder.early_output());
    for (const char* part :
         {"WINEPREFIX", "\"Wine prefix\"", "Lutris", "Bottles", "Proton", "flown last"})
        EXPECT_NE(shown.find(part), std::string::npos) << part << "\n" << shown;
}

} // namespace
} // namespace kalveo::testing
