#include "support/editor_files.h"

#include <stdexcept>

namespace kalveo::testing {

namespace {

std::string replace_newlines(const std::string& text, const std::string& eol) {
    std::string out;
    for (const char c : text) {
        if (c == '\n')
            out += eol;
        else
            out += c;
    }
    return out;
}

// Latin-1 code points of a UTF-8 text (only 1- and 2-byte characters below U+0100).
std::u32string code_points(const std::string& utf8) {
    std::u32string out;
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        const auto c = static_cast<unsigned char>(utf8[i]);
        if (c < 0x80) {
            out += c;
        } else if ((c == 0xC2 || c == 0xC3) && i + 1 < utf8.size()) {
            out += static_cast<char32_t>(((c & 0x1F) << 6) | (utf8[++i] & 0x3F));
        } else {
            throw std::invalid_argument("editor_files takes Latin-1 characters only");
        }
    }
    return out;
}

} // namespace

std::vector<EditorFile> editor_files(const std::string& utf8_lf) {
    const std::string crlf = replace_newlines(utf8_lf, "\r\n");
    const std::u32string points = code_points(crlf);
    std::string latin1, le = "\xFF\xFE", be = "\xFE\xFF";
    for (const char32_t p : points) {
        latin1 += static_cast<char>(p);
        le += static_cast<char>(p);
        le += '\0';
        be += '\0';
        be += static_cast<char>(p);
    }
    return {{"UTF-8, LF", utf8_lf},
            {"UTF-8, CR LF", crlf},
            {"UTF-8 with byte-order mark (Notepad)", "\xEF\xBB\xBF" + crlf},
            {"UTF-16 little-endian (Notepad Unicode)", le},
            {"UTF-16 big-endian", be},
            {"Latin-1 (ANSI)", latin1},
            {"CR only", replace_newlines(utf8_lf, "\r")}};
}

} // namespace kalveo::testing
