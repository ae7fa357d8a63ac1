#include "platform/dialogs_backend.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <vector>

namespace kalveo::dialogs {

namespace {

constexpr std::string_view kCancelInput = "{cancel}";

// The answers of one script file and how many the process has used. A new
// file name starts again from its first line.
struct Script {
    std::string file;
    std::vector<std::string> lines;
    std::size_t next = 0;
};

Script& script() {
    static Script the_script;
    return the_script;
}

void print_line(const std::string& line) {
    std::fwrite(line.data(), 1, line.size(), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

std::vector<std::string> read_lines(const std::string& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        print_line("[dialog] script " + file + " cannot be read (" + std::strerror(errno) +
                   "): every box gets its default");
        return {};
    }
    std::vector<std::string> lines;
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(std::move(line));
    }
    return lines;
}

std::optional<std::string> next_line(const std::string& file) {
    Script& s = script();
    if (s.file != file) s = Script{file, read_lines(file), 0};
    if (s.next >= s.lines.size()) return std::nullopt;
    return s.lines[s.next++];
}

std::string quoted(std::string_view text) {
    std::string out = "\"";
    for (char c : text) {
        if (c == '\n')
            out += "\\n";
        else if (c == '\r')
            out += "\\r";
        else
            out += c;
    }
    return out + "\"";
}

std::string lower_word(std::string_view line) {
    const auto begin = line.find_first_not_of(" \t");
    if (begin == std::string_view::npos) return {};
    line = line.substr(begin, line.find_last_not_of(" \t") + 1 - begin);
    std::string word(line);
    for (char& c : word)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return word;
}

} // namespace

int scripted_message_box(const std::string& file, const BoxRequest& box) {
    const auto line = next_line(file);
    std::optional<int> answer;
    std::string note;
    if (line) {
        answer = answer_from_word(box.buttons, lower_word(*line));
        if (!answer) note = " (script line " + quoted(*line) + " is no button: default)";
    } else {
        note = " (default)";
    }
    const int result = answer.value_or(box.default_answer);
    print_line(std::string("[dialog] messageBox ") + buttons_name(box.buttons) + " " +
               icon_name(box.icon) + " title=" + quoted(box.title) + " text=" +
               quoted(box.message) + " answer=" + answer_name(box.buttons, result) + note);
    return result;
}

std::optional<std::string> scripted_input_box(const std::string& file, const InputRequest& input) {
    const auto line = next_line(file);
    std::optional<std::string> result;
    if (!line)
        result = std::string(input.default_input);
    else if (*line != kCancelInput)
        result = *line;
    print_line("[dialog] inputBox title=" + quoted(input.title) + " text=" + quoted(input.message) +
               " answer=" + (result ? quoted(*result) : "cancel") + (line ? "" : " (default)"));
    return result;
}

} // namespace kalveo::dialogs
