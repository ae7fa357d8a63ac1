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

// A home folder with Wine prefixes in it, and a disk of its own beside it.
struct Home {
    TempDir root;
    int port = 0;
    std::map<std::string, std::string> pilot_folders; ///< by pilot, as Windows names them

    [[nodiscard]] fs::path path() const { return root / "home"; }

    // The simulator in a prefix, its log written `minutes` ago, with a pilot named after it.
    void simulator(const fs::path& prefix, const std::string& pilot, int minutes,
                   const std::string& login = {}) {
        const SampleInstall sample = build_sample_installation(
            prefix, {.login = login, .pilot = pilot, .udp = {.port = port}});
        ASSERT_TRUE(sample.ok) << sample.error;
        pilot_folders[pilot] = sample.condor3.pilot_dir;
        fs::last_write_time(sample.condor3.install / "Logs" / "Logfile.txt",
                            fs::file_time_type::clock::now() - std::chrono::minutes(minutes));
    }
    // A prefix some other program lives in.
    void other(const std::string& prefix) const {
        write_file(path() / prefix / "user.reg",
                   "WINE REGISTRY Version 2\n\n[Software\\\\Wine] 1\n");
    }
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
         h.other(".wine");
         h.other("Games/some-other-game");
         h.simulator(h.path() / "Games/condor-3", "Lutris Pilot", 10);
     },
     nullptr, "Lutris Pilot", "/Games/condor-3 (the only one with Condor)"},
    {"a prefix a Lutris game file names",
     [](Home& h) {
         write_file(h.path() / ".config/lutris/games/condor-3-1700000000.yml",
                    "game:\n  exe: x\n  prefix: ~/wine/condor\nname: Condor 3\n");
         h.simulator(h.path() / "wine/condor", "Lutris Pilot", 10);
     },
     nullptr, "Lutris Pilot", "/wine/condor (the only one with Condor)"},
    {"a Bottles Flatpak prefix",
     [](Home& h) {
         h.other(".local/share/bottles/bottles/Office");
         h.simulator(h.path() / ".var/app/com.usebottles.bottles/data/bottles/bottles/Condor3",
                     "Bottles Pilot", 10);
     },
     nullptr, "Bottles Pilot", "/bottles/Condor3 (the only one with Condor)"},
    {"a Proton prefix of a second Steam library",
     [](Home& h) {
         const fs::path steam = h.path() / ".local/share/Steam";
         const fs::path disk = h.root / "disk2/SteamLibrary";
         write_file(steam / "steamapps/libraryfolders.vdf",
                    "\"libraryfolders\" { \"0\" { \"path\" \"" + steam.string() +
                        "\" } \"1\" { \"path\" \"" + disk.string() + "\" } }\n");
         fs::create_directories(h.path() / ".steam");
         fs::create_directory_symlink(steam, h.path() / ".steam/steam");
         h.other(".local/share/Steam/steamapps/compatdata/228980/pfx");
         // Proton's user folder is "steamuser" whoever the login is.
         h.simulator(disk / "steamapps/compatdata/2349750/pfx", "Proton Pilot", 10, "steamuser");
     },
     nullptr, "Proton Pilot", "/compatdata/2349750/pfx (the only one with Condor)"},
    {"two prefixes with the simulator: the one flown last", flown_in_wine_and_bottles, nullptr,
     "Bottles Pilot", "/bottles/Condor (Condor was flown there last)"},
    {"two prefixes with the simulator: the setting pins the other", flown_in_wine_and_bottles,
     "~/.wine", "Wine Pilot", "/.wine (setting Wine prefix) : Condor 3"},
    {"no prefix with the simulator",
     [](Home& h) {
         h.other(".wine");
         h.other(".local/share/bottles/bottles/Office");
     },
     nullptr, nullptr, "/.wine (no prefix holds Condor)"},
};

TEST(WinePrefixSearch, TheSimulatorIsFoundInThePrefixOfItsFrontEnd) {
    for (const HomeCase& c : kCases) {
        SCOPED_TRACE(c.what);
        ProgramFolder folder;
        ASSERT_TRUE(folder.ready()) << folder.problem();
        Home home;
        home.port = folder.port();
        c.lay_out(home);
        if (c.pinned != nullptr) folder.set_setting("Wine prefix", c.pinned);
        auto env = folder.environment("");
        env["WINEPREFIX"] = "";
        env["HOME"] = home.path().string();
        ProgramRun run(folder.program_dir() / "kalveo", {}, env, folder.early_output());
        const char* awaited =
            c.pilot != nullptr ? "Condor 3 install path" : "No Condor installation";
        EXPECT_TRUE(wait_for_text(folder.run_log(), awaited, 20.0));

        const std::string log = read_file(folder.run_log());
        EXPECT_NE(log.find(c.chosen_line), std::string::npos) << log;
        if (c.pilot == nullptr) continue;
        // The registry and the user folder were read in the prefix found.
        const std::string console = read_file(folder.stdout_log());
        EXPECT_NE(console.find("Final Path : " + home.pilot_folders[c.pilot] + "\n"),
                  std::string::npos)
            << console;
    }
}

TEST(WinePrefixSearch, HelpTellsHowThePrefixIsChosen) {
    ProgramFolder folder;
    ASSERT_TRUE(folder.start({"-help"}, "")->wait(20.0).has_value());
    const std::string shown = read_file(folder.early_output());
    for (const char* part : {"WINEPREFIX", "\"Wine prefix\"", "Lutris", "Proton", "flown last"})
        EXPECT_NE(shown.find(part), std::string::npos) << part << "\n" << shown;
}

} // namespace
} // namespace kalveo::testing
