#include "platform/wine_registry.h"

#include <cctype>
#include <cstdint>
#include <cstdlib>
#include <vector>

namespace kalveo {
namespace {

std::string lower(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

void append_utf8(std::string& out, std::uint32_t code) {
    if (code < 0x80) {
        out.push_back(static_cast<char>(code));
    } else if (code < 0x800) {
        out.push_back(static_cast<char>(0xc0 | (code >> 6)));
        out.push_back(static_cast<char>(0x80 | (code & 0x3f)));
    } else {
        out.push_back(static_cast<char>(0xe0 | (code >> 12)));
        out.push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3f)));
        out.push_back(static_cast<char>(0x80 | (code & 0x3f)));
    }
}

int hex_digit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// Reads one escape sequence after the backslash at text[pos]; advances pos.
void read_escape(std::string_view text, std::size_t& pos, std::string& out) {
    if (pos >= text.size()) return;
    const char c = text[pos++];
    switch (c) {
    case 'n':
        out.push_back('\n');
        return;
    case 'r':
        out.push_back('\r');
        return;
    case 't':
        out.push_back('\t');
        return;
    case 'a':
        out.push_back('\a');
        return;
    case 'b':
        out.push_back('\b');
        return;
    case 'e':
        out.push_back('\x1b');
        return;
    case 'f':
        out.push_back('\f');
        return;
    case 'v':
        out.push_back('\v');
        return;
    case 'x': {
        std::uint32_t code = 0;
        int digits = 0;
        while (digits < 4 && pos < text.size() && hex_digit(text[pos]) >= 0) {
            code = code * 16 + static_cast<std::uint32_t>(hex_digit(text[pos++]));
            ++digits;
        }
        if (digits == 0)
            out.push_back('x');
        else
            append_utf8(out, code);
        return;
    }
    default:
        break;
    }
    if (c >= '0' && c <= '7') {
        std::uint32_t code = static_cast<std::uint32_t>(c - '0');
        for (int digits = 1;
             digits < 3 && pos < text.size() && text[pos] >= '0' && text[pos] <= '7'; ++digits)
            code = code * 8 + static_cast<std::uint32_t>(text[pos++] - '0');
        append_utf8(out, code);
        return;
    }
    out.push_back(c); // \\ \" \] and anything unknown stand for themselves
}

// An escaped text up to the unescaped `end` character; pos starts after the
// opening delimiter and ends after the closing one. Nothing when unterminated.
std::optional<std::string> read_escaped(std::string_view text, std::size_t& pos, char end) {
    std::string out;
    while (pos < text.size()) {
        const char c = text[pos++];
        if (c == end) return out;
        if (c == '\\')
            read_escape(text, pos, out);
        else
            out.push_back(c);
    }
    return std::nullopt;
}

std::optional<std::string> hex_bytes(std::string_view text) {
    std::string bytes;
    std::size_t pos = 0;
    while (pos < text.size()) {
        const char c = text[pos];
        if (c == ',' || c == ' ' || c == '\t' || c == '\\') {
            ++pos;
            continue;
        }
        if (pos + 1 >= text.size() || hex_digit(c) < 0 || hex_digit(text[pos + 1]) < 0)
            return std::nullopt;
        bytes.push_back(static_cast<char>(hex_digit(c) * 16 + hex_digit(text[pos + 1])));
        pos += 2;
    }
    return bytes;
}

// String types stored as hex hold UTF-16LE text ending in a NUL.
std::string utf16le_to_utf8(std::string_view bytes) {
    std::string out;
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
        const auto unit = static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[i])) |
                          static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[i + 1])) << 8;
        if (unit == 0) break;
        append_utf8(out, unit);
    }
    return out;
}

std::optional<RegistryValue> parse_data(std::string_view data) {
    RegistryValue value;
    if (!data.empty() && data.front() == '"') {
        std::size_t pos = 1;
        auto text = read_escaped(data, pos, '"');
        if (!text) return std::nullopt;
        value.data = std::move(*text);
        return value;
    }
    if (data.starts_with("str(")) {
        const auto close = data.find("):\"");
        if (close == std::string_view::npos) return std::nullopt;
        value.type = std::atoi(std::string(data.substr(4, close - 4)).c_str());
        std::size_t pos = close + 3;
        auto text = read_escaped(data, pos, '"');
        if (!text) return std::nullopt;
        value.data = std::move(*text);
        return value;
    }
    if (data.starts_with("dword:")) {
        const auto digits = data.substr(6);
        if (digits.empty() || digits.size() > 8) return std::nullopt;
        std::uint32_t number = 0;
        for (char c : digits) {
            if (hex_digit(c) < 0) return std::nullopt;
            number = number * 16 + static_cast<std::uint32_t>(hex_digit(c));
        }
        value.type = kRegDword;
        for (int i = 0; i < 4; ++i)
            value.data.push_back(static_cast<char>((number >> (8 * i)) & 0xff));
        return value;
    }
    if (data.starts_with("hex")) {
        const auto colon = data.find(':');
        if (colon == std::string_view::npos) return std::nullopt;
        value.type = kRegBinary;
        if (data[3] == '(') value.type = std::atoi(std::string(data.substr(4, colon - 5)).c_str());
        auto bytes = hex_bytes(data.substr(colon + 1));
        if (!bytes) return std::nullopt;
        const bool text_type =
            value.type == kRegSz || value.type == kRegExpandSz || value.type == kRegMultiSz;
        value.data = text_type ? utf16le_to_utf8(*bytes) : std::move(*bytes);
        return value;
    }
    return std::nullopt;
}

std::vector<std::string> logical_lines(std::string_view text) {
    std::vector<std::string> lines;
    std::string current;
    bool continued = false;
    std::size_t start = 0;
    while (start <= text.size()) {
        auto end = text.find('\n', start);
        if (end == std::string_view::npos) end = text.size();
        std::string_view line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (continued) {
            while (!line.empty() && (line.front() == ' ' || line.front() == '\t'))
                line.remove_prefix(1);
            current += line;
        } else {
            current = std::string(line);
        }
        // Only hex data is continued over lines, with a backslash at the end.
        continued =
            !current.empty() && current.back() == '\\' && current.find("=hex") != std::string::npos;
        if (continued)
            current.pop_back();
        else
            lines.push_back(std::move(current));
        start = end + 1;
    }
    if (continued) lines.push_back(std::move(current));
    return lines;
}

} // namespace

std::string normalise_registry_key(std::string_view key) {
    std::string out;
    for (char c : key) {
        if (c == '\\' && (out.empty() || out.back() == '\\')) continue;
        out.push_back(static_cast<char>(std::tolower(static_cast<unsigned char>(c))));
    }
    while (!out.empty() && out.back() == '\\')
        out.pop_back();
    return out;
}

WineRegistry WineRegistry::parse(std::string_view text) {
    WineRegistry registry;
    std::map<std::string, RegistryValue>* current = nullptr;
    for (const auto& line : logical_lines(text)) {
        if (line.empty()) continue;
        if (line.front() == '[') {
            std::size_t pos = 1;
            auto key = read_escaped(line, pos, ']');
            current = key ? &registry.keys_[normalise_registry_key(*key)] : nullptr;
            continue;
        }
        if (current == nullptr) continue;
        std::string name;
        std::size_t pos = 0;
        if (line.front() == '@') {
            pos = 1;
        } else if (line.front() == '"') {
            pos = 1;
            auto quoted = read_escaped(line, pos, '"');
            if (!quoted) continue;
            name = std::move(*quoted);
        } else {
            continue; // comments (";", "#time=", "#arch=") and stray lines
        }
        if (pos >= line.size() || line[pos] != '=') continue;
        if (auto value = parse_data(std::string_view(line).substr(pos + 1)))
            (*current)[lower(name)] = std::move(*value);
    }
    return registry;
}

bool WineRegistry::has_key(std::string_view key) const {
    return keys_.count(normalise_registry_key(key)) != 0;
}

std::optional<RegistryValue> WineRegistry::find(std::string_view key, std::string_view name) const {
    const auto k = keys_.find(normalise_registry_key(key));
    if (k == keys_.end()) return std::nullopt;
    const auto v = k->second.find(lower(name));
    if (v == k->second.end()) return std::nullopt;
    return v->second;
}

} // namespace kalveo
