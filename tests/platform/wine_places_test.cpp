// The files in which Wine front-ends name their prefixes, read from strings as the tools write
// them (and as hands edit them).
#include "platform/wine_places.h"
#include "platform/wine_registry.h"

#include <gtest/gtest.h>

namespace kalveo {
namespace {

struct LutrisCase {
    const char* what;
    const char* yml;
    std::optional<std::string> prefix;
};

TEST(WinePlaces, LutrisGameFilesNameTheirPrefixInTheGameSection) {
    const LutrisCase cases[] = {
        {"as Lutris writes it",
         "game:\n  arch: win64\n  exe: /home/p/Games/condor/drive_c/Condor3/Condor.exe\n"
         "  prefix: /home/p/Games/condor\ngame_slug: condor-3\nwine:\n  version: lutris-7.2\n",
         "/home/p/Games/condor"},
        {"CR LF lines, a comment, the home folder", "game:\r\n  prefix: ~/Games/c 3 # mine\r\n",
         "~/Games/c 3"},
        {"single quotes", "game:\n  prefix: '/home/p/it''s here'\n", "/home/p/it's here"},
        {"double quotes", "game:\n    prefix: \"/home/p/a \\\"b\\\"\"\n", "/home/p/a \"b\""},
        {"only the game section counts", "system:\n  prefix: /nope\ngame:\n  prefix: /yes\n",
         "/yes"},
        {"a prefix of another section", "system:\n  prefix: /nope\ngame:\n  exe: x\n",
         std::nullopt},
        {"an empty prefix", "game:\n  prefix:\n  exe: x\n", std::nullopt},
        {"a prefix key at the top", "prefix: /nope\n", std::nullopt},
        {"nothing", "", std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(lutris_game_prefix(c.yml), c.prefix) << c.what;
}

TEST(WinePlaces, SteamLibraryFoldersInBothFormsOfTheList) {
    const char* current = R"("libraryfolders"
{
	"0"
	{
		"path"		"/home/p/.local/share/Steam"
		"label"		""
		"apps"
		{
			"228980"		"420"
		}
	}
	"1"
	{
		"path"		"/mnt/games/Steam Library"
		"contentid"		"42"
	}
})";
    EXPECT_EQ(steam_library_folders(current),
              (std::vector<std::string>{"/home/p/.local/share/Steam", "/mnt/games/Steam Library"}));

    const char* older =
        "\"LibraryFolders\"\n{\n\t\"TimeNextStatsReport\"\t\t\"1700000000\"\n"
        "\t\"ContentStatsID\"\t\t\"-42\"\n\t\"1\"\t\t\"/mnt/games/SteamLibrary\"\n}\n";
    EXPECT_EQ(steam_library_folders(older), std::vector<std::string>{"/mnt/games/SteamLibrary"});

    // Escaped backslashes, a comment, and "path" keys elsewhere than in a numbered entry.
    const char* other =
        "// written by hand\n\"libraryfolders\" { \"0\" { \"path\" \"D:\\\\Steam\" }"
        " \"path\" \"/nope\" \"x\" { \"path\" \"/nope\" } }\n\"path\" \"/nope\"";
    EXPECT_EQ(steam_library_folders(other), std::vector<std::string>{"D:\\Steam"});

    for (const char* broken : {"", "{{{", "}}}\"", "\"libraryfolders\" { \"0\" { \"path\"",
                               "\"libraryfolders\" { \"1\" "})
        EXPECT_TRUE(steam_library_folders(broken).empty()) << broken;
}

TEST(WinePlaces, TheSimulatorsSectionsAreTakenFromALargeRegistry) {
    std::string reg = "WINE REGISTRY Version 2\n;; All keys relative to \\\\User\n\n";
    for (int i = 0; i < 2000; ++i)
        reg += "[Software\\\\Other\\\\Key" + std::to_string(i) + "] 1700000000\n\"a\"=\"b\"\n\n";
    reg += "[SOFTWARE\\\\Condor3] 1700000000\n#time=1d9\n\"InstallDir\"=\"C:\\\\Condor3\"\n\n";
    reg += "[Software\\\\CondorClub] 1700000000\n\"InstallDir\"=\"C:\\\\Club\"\n\n";
    reg += "[Software\\\\Wine] 1700000000\n\"InstallDir\"=\"C:\\\\Wine\"\n";

    const std::string sections = simulator_sections(reg);
    EXPECT_LT(sections.size(), 300U);
    const WineRegistry parsed = WineRegistry::parse(sections);
    ASSERT_TRUE(parsed.find("Software\\Condor3", "InstallDir"));
    EXPECT_EQ(parsed.find("Software\\Condor3", "InstallDir")->data, "C:\\Condor3");
    EXPECT_FALSE(parsed.has_key("Software\\Condor2"));
    EXPECT_FALSE(parsed.has_key("Software\\Wine"));
    EXPECT_FALSE(parsed.has_key("Software\\Other\\Key7"));
}

TEST(WinePlaces, ReadingStopsOnlyPastTheSimulatorsKeys) {
    // Headers in the order Wine 8 wrote them into a prefix holding the simulator.
    const char* before[] = {"[AppEvents\\\\Schemes\\\\Apps] 1",
                            "[Control Panel\\\\Colors] 1",
                            "[Environment] 1",
                            "[Software\\\\Classes\\\\.txt] 1",
                            "[Software\\\\Con] 1",
                            "[Software\\\\Condor2] 1",
                            "[SOFTWARE\\\\Condor3\\\\Sub] 1",
                            "\"a\"=\"[Software\\\\Wine]\""};
    for (const char* line : before)
        EXPECT_FALSE(past_simulator_sections(std::string(line) + "\n#time=1\n")) << line;
    for (const char* line : {"[Software\\\\Microsoft\\\\Windows] 1", "[Volatile Environment] 1",
                             "[Software\\\\Control] 1"})
        EXPECT_TRUE(past_simulator_sections(std::string("\"a\"=\"b\"\n") + line + "\n")) << line;
}

} // namespace
} // namespace kalveo
