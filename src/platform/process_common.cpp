#include "platform/process.h"

#include <utility>

namespace kalveo {

namespace {

// Outside quotes a backslash escapes the next character in a POSIX shell, but
// is the folder separator of an unquoted Windows path ("C:\Tools\edit.exe").
#ifdef _WIN32
constexpr bool kBackslashEscapes = false;
#else
constexpr bool kBackslashEscapes = true;
#endif

} // namespace

ChildProgram::ChildProgram(ChildProgram&& other) noexcept
    : handle_(std::exchange(other.handle_, 0)), started_(std::exchange(other.started_, false)),
      status_(std::exchange(other.status_, std::nullopt)) {}

ChildProgram& ChildProgram::operator=(ChildProgram&& other) noexcept {
    if (this != &other) {
        release();
        handle_ = std::exchange(other.handle_, 0);
        started_ = std::exchange(other.started_, false);
        status_ = std::exchange(other.status_, std::nullopt);
    }
    return *this;
}

ChildProgram::~ChildProgram() {
    release();
}

std::vector<std::string> split_command_words(std::string_view command) {
    std::vector<std::string> words;
    std::string word;
    bool in_word = false;
    char quote = 0;
    for (std::size_t i = 0; i < command.size(); ++i) {
        const char c = command[i];
        if (quote != 0) {
            if (c == quote) {
                quote = 0;
            } else if (c == '\\' && quote == '"' && i + 1 < command.size() &&
                       (command[i + 1] == '"' || command[i + 1] == '\\')) {
                word += command[++i];
            } else {
                word += c;
            }
        } else if (c == '\'' || c == '"') {
            quote = c;
            in_word = true;
        } else if (c == '\\' && kBackslashEscapes && i + 1 < command.size()) {
            word += command[++i];
            in_word = true;
        } else if (c == ' ' || c == '\t' || c == '\n' || c == '\r') {
            if (in_word) words.push_back(std::move(word));
            word.clear();
            in_word = false;
        } else {
            word += c;
            in_word = true;
        }
    }
    if (in_word) words.push_back(std::move(word));
    return words;
}

} // namespace kalveo
