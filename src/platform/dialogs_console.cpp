#include "platform/dialogs_backend.h"

#include <cstdio>
#include <string>

namespace kalveo::dialogs {

namespace {

// One line of standard input without its line end; nothing at end of input.
std::optional<std::string> read_console_line() {
    std::string line;
    int c = 0;
    bool got_any = false;
    while ((c = std::fgetc(stdin)) != EOF) {
        got_any = true;
        if (c == '\n') break;
        line += static_cast<char>(c);
    }
    if (!got_any) return std::nullopt;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    return line;
}

std::string lowered(std::string text) {
    for (char& c : text)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    const auto begin = text.find_first_not_of(" \t");
    if (begin == std::string::npos) return {};
    return text.substr(begin, text.find_last_not_of(" \t") + 1 - begin);
}

const char* choices(Buttons buttons) {
    switch (buttons) {
    case Buttons::okcancel:
        return "ok/cancel";
    case Buttons::yesno:
        return "yes/no";
    case Buttons::yesnocancel:
        return "yes/no/cancel";
    case Buttons::ok:
        break;
    }
    return "ok";
}

void show(std::string_view title, std::string_view message) {
    std::printf("\n[%.*s]\n%.*s\n", static_cast<int>(title.size()), title.data(),
                static_cast<int>(message.size()), message.data());
}

} // namespace

int console_message_box(const BoxRequest& box) {
    show(box.title, box.message);
    if (box.buttons == Buttons::ok) {
        std::fflush(stdout);
        return 1;
    }
    while (true) {
        std::printf("%s [%s]: ", choices(box.buttons),
                    answer_name(box.buttons, box.default_answer));
        std::fflush(stdout);
        const auto line = read_console_line();
        if (!line) return box.default_answer;
        const std::string word = lowered(*line);
        if (word.empty()) return box.default_answer;
        if (const auto answer = answer_from_word(box.buttons, word)) return *answer;
    }
}

std::optional<std::string> console_input_box(const InputRequest& input) {
    show(input.title, input.message);
    std::printf("[%.*s]: ", static_cast<int>(input.default_input.size()),
                input.default_input.data());
    std::fflush(stdout);
    const auto line = read_console_line();
    if (!line) return std::nullopt;
    if (line->empty()) return std::string(input.default_input);
    return line;
}

} // namespace kalveo::dialogs
