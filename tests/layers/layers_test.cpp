// The layers of the program hold: every #include under src/ follows the layer table in
// cmake/layers.cmake, and only the platform layer knows the operating system.
#include "support/test_files.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace kalveo::testing {
namespace {

namespace fs = std::filesystem;

struct Layer {
    int floor = 0;
    std::set<std::string> uses;
    std::set<std::string> records;
};

using LayerTable = std::map<std::string, Layer>;

std::set<std::string> words(const std::string& text) {
    std::istringstream in(text);
    std::set<std::string> out;
    for (std::string w; in >> w;)
        out.insert(w);
    return out;
}

// Reads the kalveo_layer(...) calls of the table; comments and other lines are skipped.
LayerTable parse_layer_table(const std::string& text) {
    std::string calls;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        const auto hash = line.find('#');
        calls += line.substr(0, hash) + ' ';
    }
    LayerTable table;
    const std::regex call(R"(kalveo_layer\(\s*(\w+)([^)]*)\))");
    int floor = 0;
    for (auto it = std::sregex_iterator(calls.begin(), calls.end(), call);
         it != std::sregex_iterator(); ++it) {
        Layer layer;
        layer.floor = floor++;
        std::string rest = (*it)[2];
        const auto records_at = rest.find("RECORDS");
        if (records_at != std::string::npos) {
            layer.records = words(rest.substr(records_at + 7));
            rest = rest.substr(0, records_at);
        }
        const auto uses_at = rest.find("USES");
        if (uses_at != std::string::npos) layer.uses = words(rest.substr(uses_at + 4));
        table[(*it)[1]] = layer;
    }
    return table;
}

std::string joined(const std::set<std::string>& parts) {
    std::string out;
    for (const auto& p : parts)
        out += (out.empty() ? "" : " ") + p;
    return out.empty() ? "nothing" : out;
}

// One line per include against the table: "file:line: rule".
std::vector<std::string> layer_violations(const LayerTable& table, const fs::path& src) {
    std::vector<std::string> found;
    const std::regex include(R"(^\s*#\s*include\s*"([a-z_0-9]+)/([^"]+)\")");
    for (const auto& entry : fs::recursive_directory_iterator(src)) {
        if (!entry.is_regular_file()) continue;
        const fs::path relative = fs::relative(entry.path(), src);
        const std::string part = relative.begin()->string();
        const std::string shown = "src/" + relative.generic_string();
        const auto layer = table.find(part);
        if (layer == table.end()) {
            if (fs::is_directory(src / part))
                found.push_back(shown + ": part " + part + " is not in the layer table");
            continue;
        }
        const bool in_records = relative.stem() == "records";
        std::ifstream in(entry.path());
        int number = 0;
        for (std::string line; std::getline(in, line);) {
            ++number;
            std::smatch m;
            if (!std::regex_search(line, m, include)) continue;
            const std::string target = m[1];
            const bool is_records = m[2] == "records.h";
            const Layer& l = layer->second;
            bool allowed = target == part || l.uses.count(target) != 0 ||
                           (is_records && l.records.count(target) != 0);
            std::string rule =
                part + " uses " + joined(l.uses) + "; records of " + joined(l.records);
            if (allowed && in_records && !is_records) {
                allowed = false;
                rule = "records hold plain data and include only other records";
            }
            if (!allowed)
                found.push_back(shown + ":" + std::to_string(number) + ": " + part +
                                " may not include " + target + "/" + std::string(m[2]) + " (" +
                                rule + ")");
        }
    }
    std::sort(found.begin(), found.end());
    found.erase(std::unique(found.begin(), found.end()), found.end());
    return found;
}

// Lines outside src/platform that ask which operating system this is, or include its headers.
std::vector<std::string> system_checks_outside_platform(const fs::path& src) {
    std::vector<std::string> found;
    const std::regex os_test(
        R"(^\s*#\s*(if|ifdef|ifndef|elif)\b.*\b(_WIN32|_WIN64|WIN32|__linux__|__unix__|__APPLE__|_MSC_VER|__MINGW32__)\b)");
    const std::regex os_header(
        R"(^\s*#\s*include\s*<((windows|unistd|fcntl|io)\.h|(fontconfig|X11|sys)/|winsock))",
        std::regex::icase);
    const std::regex os_file(R"(_(posix|win32)\.(cpp|h)$)");
    for (const auto& entry : fs::recursive_directory_iterator(src)) {
        if (!entry.is_regular_file()) continue;
        const fs::path relative = fs::relative(entry.path(), src);
        if (relative.begin()->string() == "platform") continue;
        const std::string shown = "src/" + relative.generic_string();
        if (std::regex_search(shown, os_file))
            found.push_back(shown + ": a file of one operating system");
        std::ifstream in(entry.path());
        int number = 0;
        for (std::string line; std::getline(in, line);) {
            ++number;
            if (std::regex_search(line, os_test) || std::regex_search(line, os_header))
                found.push_back(shown + ":" + std::to_string(number) + ": " + line);
        }
    }
    return found;
}

std::string read_text(const fs::path& file) {
    std::ifstream in(file);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

fs::path source_dir() {
    return env_folder("KALVEO_SOURCE_DIR");
}

std::string listed(const std::vector<std::string>& lines) {
    std::string out;
    for (const auto& l : lines)
        out += "\n  " + l;
    return out;
}

TEST(Layers, EveryIncludeFollowsTheTable) {
    const LayerTable table = parse_layer_table(read_text(source_dir() / "cmake" / "layers.cmake"));
    ASSERT_GE(table.size(), 10u);
    const auto found = layer_violations(table, source_dir() / "src");
    EXPECT_TRUE(found.empty()) << "includes against cmake/layers.cmake:" << listed(found);
}

TEST(Layers, OnlyThePlatformLayerKnowsTheOperatingSystem) {
    const auto found = system_checks_outside_platform(source_dir() / "src");
    EXPECT_TRUE(found.empty()) << "system checks outside src/platform:" << listed(found);
}

TEST(Layers, ThePartsTheIssueNamesStayApart) {
    const LayerTable table = parse_layer_table(read_text(source_dir() / "cmake" / "layers.cmake"));
    const auto uses_or_records = [&](const std::string& part, const std::string& other) {
        const Layer& l = table.at(part);
        return l.uses.count(other) + l.records.count(other);
    };
    EXPECT_EQ(uses_or_records("flight", "sound"), 0u);
    EXPECT_EQ(uses_or_records("flight", "display"), 0u);
    EXPECT_EQ(uses_or_records("glider", "flight"), 0u);
    EXPECT_THAT(table.at("text").uses, ::testing::ElementsAre("platform"));
    EXPECT_TRUE(table.at("text").records.empty());
    EXPECT_TRUE(table.at("cpw").records.empty());
    // Start-up is the top floor, and every part uses only parts below it.
    for (const auto& [part, layer] : table) {
        EXPECT_LE(layer.floor, table.at("shell").floor) << part;
        for (const auto& used : layer.uses)
            EXPECT_LT(table.at(used).floor, layer.floor) << part << " uses " << used;
    }
}

TEST(Layers, AWrongIncludeIsReportedWithFileLineAndRule) {
    const LayerTable table = parse_layer_table(R"(
        # a comment with kalveo_layer(ignored) in it
        kalveo_layer(platform)
        kalveo_layer(text USES platform)
        kalveo_layer(glider USES text platform
                            RECORDS text)
        kalveo_layer(flight USES glider text platform)
    )");
    ASSERT_EQ(table.size(), 4u);
    TempDir dir;
    const fs::path src = dir.path() / "src";
    fs::create_directories(src / "glider");
    fs::create_directories(src / "flight");
    fs::create_directories(src / "stray");
    write_file(src / "glider" / "lookup.cpp",
               "#include \"glider/lookup.h\"\n#include \"text/blanks.h\"\n"
               "#include \"flight/records.h\"\n#include \"flight/cycle.h\"\n");
    write_file(src / "glider" / "records.h",
               "#include \"text/records.h\"\n#include \"text/blanks.h\"\n");
    write_file(src / "flight" / "cycle.cpp", "#include \"glider/records.h\"\n#include <cstdio>\n");
    write_file(src / "stray" / "a.cpp", "\n");
    const auto found = layer_violations(table, src);
    EXPECT_THAT(found,
                ::testing::ElementsAre(
                    "src/glider/lookup.cpp:3: glider may not include flight/records.h (glider uses "
                    "platform text; records of text)",
                    "src/glider/lookup.cpp:4: glider may not include flight/cycle.h (glider uses "
                    "platform text; records of text)",
                    "src/glider/records.h:2: glider may not include text/blanks.h (records hold "
                    "plain data and include only other records)",
                    "src/stray/a.cpp: part stray is not in the layer table"));

    write_file(src / "flight" / "os.cpp",
               "#ifdef _WIN32\n#endif\n#include <unistd.h>\n#include <fontconfig/fontconfig.h>\n"
               "#include <X11/Xlib.h>\n#include <sys/socket.h>\n#include <WinSock2.h>\n"
               "#include <system_error>\n");
    write_file(src / "flight" / "fonts_posix.cpp", "\n");
    fs::create_directories(src / "platform");
    write_file(src / "platform" / "os.cpp", "#ifdef _WIN32\n#endif\n#include <sys/socket.h>\n");
    write_file(src / "platform" / "os_win32.cpp", "\n");
    EXPECT_THAT(system_checks_outside_platform(src),
                ::testing::UnorderedElementsAre(
                    "src/flight/os.cpp:1: #ifdef _WIN32", "src/flight/os.cpp:3: #include <unistd.h>",
                    "src/flight/os.cpp:4: #include <fontconfig/fontconfig.h>",
                    "src/flight/os.cpp:5: #include <X11/Xlib.h>",
                    "src/flight/os.cpp:6: #include <sys/socket.h>",
                    "src/flight/os.cpp:7: #include <WinSock2.h>",
                    "src/flight/fonts_posix.cpp: a file of one operating system"));
}

} // namespace
} // namespace kalveo::testing
