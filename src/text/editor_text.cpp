#include "text/editor_text.h"

#include <array>
#include <cstdint>

namespace kalveo {

namespace {

constexpr char32_t kReplacement = 0xFFFD;

void append_utf8(std::string& out, char32_t code) {
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (code >> 18));
        out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

std::string from_utf16(std::string_view bytes, bool little_endian) {
    std::string out;
    out.reserve(bytes.size());
    auto unit = [&](std::size_t i) -> char32_t {
        const auto lo = static_cast<unsigned char>(bytes[little_endian ? i : i + 1]);
        const auto hi = static_cast<unsigned char>(bytes[little_endian ? i + 1 : i]);
        return static_cast<char32_t>(lo | (hi << 8));
    };
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
        char32_t code = unit(i);
        if (code >= 0xD800 && code < 0xDC00 && i + 3 < bytes.size()) {
            const char32_t low = unit(i + 2);
            if (low >= 0xDC00 && low < 0xE000) {
                code = 0x10000 + ((code - 0xD800) << 10) + (low - 0xDC00);
                i += 2;
            }
        }
        if (code >= 0xD800 && code < 0xE000) code = kReplacement;
        append_utf8(out, code);
    }
    return out;
}

// Length of the UTF-8 character starting at `i`, or 0 when the bytes there are not one
// (overlong forms, surrogates and values above U+10FFFF included).
std::size_t utf8_length(std::string_view s, std::size_t i) {
    const auto b = [&](std::size_t k) { return static_cast<unsigned char>(s[k]); };
    const unsigned char c = b(i);
    if (c < 0x80) return 1;
    std::size_t n = 0;
    char32_t code = 0;
    if (c >= 0xC2 && c <= 0xDF) {
        n = 2;
        code = c & 0x1F;
    } else if (c >= 0xE0 && c <= 0xEF) {
        n = 3;
        code = c & 0x0F;
    } else if (c >= 0xF0 && c <= 0xF4) {
        n = 4;
        code = c & 0x07;
    } else {
        return 0;
    }
    if (i + n > s.size()) return 0;
    for (std::size_t k = 1; k < n; ++k) {
        if ((b(i + k) & 0xC0) != 0x80) return 0;
        code = (code << 6) | (b(i + k) & 0x3F);
    }
    if ((n == 3 && code < 0x800) || (n == 4 && code < 0x10000) || code > 0x10FFFF ||
        (code >= 0xD800 && code < 0xE000))
        return 0;
    return n;
}

bool is_utf8(std::string_view s) {
    for (std::size_t i = 0; i < s.size();) {
        const std::size_t n = utf8_length(s, i);
        if (n == 0) return false;
        i += n;
    }
    return true;
}

// Windows-1252 at 0x80..0x9F; the rest of the upper half is Latin-1.
constexpr std::array<char16_t, 32> kCp1252 = {
    0x20AC, 0xFFFD, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0xFFFD, 0x017D, 0xFFFD, 0xFFFD, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0xFFFD, 0x017E, 0x0178};

std::string from_cp1252(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 4);
    for (const char ch : bytes) {
        const auto c = static_cast<unsigned char>(ch);
        append_utf8(out, c >= 0x80 && c < 0xA0 ? kCp1252[c - 0x80] : c);
    }
    return out;
}

void add_note(std::string& how, std::string_view note) {
    if (!how.empty()) how += ", ";
    how += note;
}

} // namespace

EditorText editor_text(std::string_view bytes) {
    EditorText result;
    const auto at = [&](std::size_t i) { return static_cast<unsigned char>(bytes[i]); };
    if (bytes.size() >= 3 && bytes.substr(0, 3) == "\xEF\xBB\xBF") {
        bytes.remove_prefix(3);
        add_note(result.how, "UTF-8 byte-order mark skipped");
    }
    if (bytes.size() >= 2 &&
        ((at(0) == 0xFF && at(1) == 0xFE) || (at(0) == 0xFE && at(1) == 0xFF))) {
        const bool little = at(0) == 0xFF;
        add_note(result.how, little ? "UTF-16 little-endian" : "UTF-16 big-endian");
        if (bytes.size() % 2 != 0) add_note(result.how, "odd last byte dropped");
        result.text = from_utf16(bytes.substr(2), little);
    } else if (bytes.size() >= 2 && ((at(0) != 0 && at(1) == 0) || (at(0) == 0 && at(1) != 0))) {
        const bool little = at(1) == 0;
        add_note(result.how, little ? "UTF-16 little-endian without byte-order mark"
                                    : "UTF-16 big-endian without byte-order mark");
        if (bytes.size() % 2 != 0) add_note(result.how, "odd last byte dropped");
        result.text = from_utf16(bytes, little);
    } else if (!is_utf8(bytes)) {
        add_note(result.how, "not UTF-8, read as Windows-1252 (Latin-1)");
        result.text = from_cp1252(bytes);
    } else {
        result.text.assign(bytes);
    }

    // A CR alone ends a line (old Mac editors); CR LF stays as it is.
    bool lone_cr = false;
    std::string& t = result.text;
    for (std::size_t i = 0; i < t.size(); ++i) {
        if (t[i] == '\r' && (i + 1 == t.size() || t[i + 1] != '\n')) {
            t[i] = '\n';
            lone_cr = true;
        }
    }
    if (lone_cr) add_note(result.how, "CR line ends");
    return result;
}

} // namespace kalveo
