// The pilot's part of README.md names settings and hotkeys: each name must be one the
// shipped settings file knows, and each default key the one it ships.
#include "support/test_files.h"

#include <gtest/gtest.h>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace kalveo {
namespace {

using testing::env_folder;
using testing::read_file;

std::vector<std::string> lines_of(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

std::string trimmed(const std::string& text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string::npos) return "";
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

// The spans in backquotes, blanks (line breaks included) made single.
std::vector<std::string> code_spans(const std::string& text) {
    std::vector<std::string> spans;
    static const std::regex span("`([^`]+)`");
    for (auto it = std::sregex_iterator(text.begin(), text.end(), span);
         it != std::sregex_iterator(); ++it)
        spans.push_back(std::regex_replace(it->str(1), std::regex("\\s+"), " "));
    return spans;
}

std::vector<std::string> cells(const std::string& row) {
    std::vector<std::string> out;
    std::string cell;
    for (std::size_t i = 1; i < row.size(); ++i) {
        if (row[i] == '|') {
            out.push_back(trimmed(cell));
            cell.clear();
        } else {
            cell += row[i];
        }
    }
    return out;
}

struct Readme {
    std::string prose;                            // outside code blocks and tables
    std::vector<std::vector<std::string>> tables; // header first, rows after
    std::vector<std::vector<std::vector<std::string>>> table_rows;
};

// The README up to its developers' part.
Readme pilot_part() {
    Readme r;
    bool in_fence = false;
    bool in_table = false;
    for (const std::string& line :
         lines_of(read_file(env_folder("KALVEO_SOURCE_DIR") / "README.md"))) {
        if (line == "# For developers") break;
        if (line.starts_with("```")) in_fence = !in_fence;
        if (in_fence || line.starts_with("```") || line.starts_with("    ")) continue;
        if (!line.starts_with("|")) {
            in_table = false;
            r.prose += line + "\n";
        } else if (!in_table) {
            in_table = true;
            r.tables.push_back(cells(line));
            r.table_rows.emplace_back();
        } else if (!line.starts_with("|---")) {
            r.table_rows.back().push_back(cells(line));
        }
    }
    return r;
}

// The settings and their values as the shipped template writes them.
std::map<std::string, std::string> template_settings() {
    std::map<std::string, std::string> values;
    const auto text = read_file(env_folder("KALVEO_DATA_DIR") / "Settings" / "Kalveo_default.ini");
    for (const std::string& line : lines_of(text)) {
        const auto eq = line.find('=');
        if (line.empty() || line[0] == '#' || line[0] == '*' || eq == std::string::npos) continue;
        values[line.substr(0, eq)] = line.substr(eq + 1);
    }
    return values;
}

class ReadmeSettings : public ::testing::Test {
  protected:
    Readme readme_ = pilot_part();
    std::map<std::string, std::string> shipped_ = template_settings();
};

TEST_F(ReadmeSettings, EverySettingTheReadmeNamesIsInTheTemplate) {
    ASSERT_GT(shipped_.size(), 80U);
    // The simulator's UDP.ini, whose lines the README shows as well.
    const std::set<std::string> udp_ini{"Enabled",        "Host",         "Port",
                                        "SendIntervalMs", "ExtendedData", "ExtendedData1"};
    static const std::regex assignment("([A-Za-z][A-Za-z0-9_. ]*)=.*");
    static const std::regex setting_name("(Key|Display) [A-Za-z0-9 .-]+");
    int named = 0;
    for (const std::string& span : code_spans(readme_.prose)) {
        std::smatch m;
        if (std::regex_match(span, m, assignment)) {
            ++named;
            EXPECT_TRUE(shipped_.contains(m[1]) || udp_ini.contains(m[1])) << span;
        } else if (std::regex_match(span, setting_name)) {
            // A hotkey or field setting named on its own, spelled as the file spells it.
            ++named;
            EXPECT_TRUE(shipped_.contains(span)) << span;
        }
    }
    for (std::size_t t = 0; t < readme_.tables.size(); ++t) {
        const auto& header = readme_.tables[t];
        for (std::size_t c = 0; c < header.size(); ++c) {
            if (header[c] != "setting" && header[c] != "Setting" && header[c] != "switch") continue;
            for (const auto& row : readme_.table_rows[t]) {
                for (const std::string& name : code_spans(c < row.size() ? row[c] : "")) {
                    ++named;
                    EXPECT_TRUE(shipped_.contains(name)) << name << " (table " << t << ")";
                }
            }
        }
    }
    EXPECT_GT(named, 60);
}

TEST_F(ReadmeSettings, TheHotkeyTableGivesEveryShippedKey) {
    std::set<std::string> listed;
    for (std::size_t t = 0; t < readme_.tables.size(); ++t) {
        const auto& header = readme_.tables[t];
        if (header.size() < 2 || header[0] != "Setting" || header[1] != "Default") continue;
        for (const auto& row : readme_.table_rows[t]) {
            const auto name = code_spans(row[0]);
            if (name.size() != 1) continue; // the simulator's own keys
            const auto value = code_spans(row.size() > 1 ? row[1] : "");
            ASSERT_EQ(value.size(), 1U) << row[0];
            ASSERT_TRUE(shipped_.contains(name[0])) << name[0];
            EXPECT_EQ(value[0], shipped_[name[0]]) << name[0];
            listed.insert(name[0]);
        }
    }
    for (const auto& [name, value] : shipped_) {
        if (name.starts_with("Key ") && value.starts_with("\"")) {
            EXPECT_TRUE(listed.contains(name)) << name << " is missing from the hotkey table";
        }
    }
    EXPECT_EQ(listed.size(), 11U);
}

} // namespace
} // namespace kalveo
