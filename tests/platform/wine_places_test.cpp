// The files in which Wine front-ends name their prefixes, read from strings as the tools write
// them (and as hands edit them).
#include "platform/wine_places.h"

#include <gtest/gtest.h>

namespace kalveo {
namespace {

TEST(WinePlaces, LutrisGameFilesNameTheirPrefixInTheGameSection) {
    const std::pair<const char*, std::optional<std::string>> cases[] = {
        {"game:\n  exe: /h/Games/c/drive_c/C.exe\n  prefix: /h/Games/c\nwine:\n  version: x\n",
         "/h/Games/c"},
        {"game:\r\n  prefix: ~/Games/c 3 # mine\r\n", "~/Games/c 3"},
        {"game:\n  prefix: '/h/it''s'\n", "/h/it's"},
        {"game:\n    prefix: \"/h/a \\\"b\\\"\"\n", "/h/a \"b\""},
        {"system:\n  prefix: /nope\ngame:\n  prefix: /yes\n", "/yes"},
        {"system:\n  prefix: /nope\ngame:\n  exe: x\n", std::nullopt},
        {"game:\n  prefix:\n", std::nullopt},
        {"prefix: /nope\n", std::nullopt},
    };
    for (const auto& [yml, prefix] : cases)
        EXPECT_EQ(lutris_game_prefix(yml), prefix) << yml;
}

TEST(WinePlaces, SteamLibraryFoldersInBothFormsOfTheList) {
    const char* current = "\"libraryfolders\"\n{\n\t\"0\"\n\t{\n\t\t\"path\"\t\t\"/h/Steam\"\n"
                          "\t\t\"apps\"\n\t\t{\n\t\t\t\"228980\"\t\t\"42\"\n\t\t}\n\t}\n"
                          "\t\"1\"\n\t{\n\t\t\"path\"\t\t\"/mnt/Steam Library\"\n\t}\n}\n";
    EXPECT_EQ(steam_library_folders(current),
              (std::vector<std::string>{"/h/Steam", "/mnt/Steam Library"}));
    const char* older = "\"LibraryFolders\"\n{\n\t\"ContentStatsID\"\t\"-42\"\n"
                        "\t\"1\"\t\"/mnt/SteamLibrary\"\n}\n";
    EXPECT_EQ(steam_library_folders(older), std::vector<std::string>{"/mnt/SteamLibrary"});
    // Escaped backslashes, a comment, "path" keys outside the numbered entries.
    const char* other = "// by hand\n\"libraryfolders\" { \"0\" { \"path\" \"D:\\\\Steam\" }"
                        " \"path\" \"/no\" \"x\" { \"path\" \"/no\" } }\n\"path\" \"/no\"";
    EXPECT_EQ(steam_library_folders(other), std::vector<std::string>{"D:\\Steam"});
}

TEST(WinePlaces, ReadingAPrefixsRegistryStopsOnlyPastTheSimulatorsKeys) {
    // Headers in the order Wine 8 wrote them into a prefix holding the simulator.
    for (const char* line : {"[AppEvents\\\\Schemes] 1", "[Control Panel\\\\Colors] 1",
                             "[Software\\\\Classes\\\\.txt] 1", "[Software\\\\Con] 1",
                             "[SOFTWARE\\\\Condor3\\\\Sub] 1", "\"a\"=\"[Software\\\\Wine]\""})
        EXPECT_FALSE(past_simulator_sections(std::string(line) + "\n#time=1\n")) << line;
    for (const char* line : {"[Software\\\\Microsoft\\\\Windows] 1", "[Software\\\\Control] 1"})
        EXPECT_TRUE(past_simulator_sections(std::string("\"a\"=\"b\"\n") + line + "\n")) << line;
}

} // namespace
} // namespace kalveo
