#include "platform/wine_places.h"

#include <cctype>

namespace kalveo {
namespace {

bool is_blank(char c) {
    return c == ' ' || c == '\t' || c == '\r';
}

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && is_blank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && is_blank(text.back()))
        text.remove_suffix(1);
    return text;
}

char ascii_lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool same_text(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (ascii_lower(a[i]) != ascii_lower(b[i])) return false;
    return true;
}

template <typename Each> void for_each_line(std::string_view text, Each each) {
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        each(text.substr(0, end));
        if (end == std::string_view::npos) break;
        text.remove_prefix(end + 1);
    }
}

// A YAML scalar as it stands after "key:": quoted in either style, or plain up to a comment.
std::string yaml_scalar(std::string_view value) {
    value = trimmed(value);
    if (value.empty()) return {};
    std::string out;
    if (value.front() == '\'') {
        for (std::size_t i = 1; i < value.size(); ++i) {
            if (value[i] != '\'') {
                out.push_back(value[i]);
            } else if (i + 1 < value.size() && value[i + 1] == '\'') {
                out.push_back('\'');
                ++i;
            } else {
                break;
            }
        }
        return out;
    }
    if (value.front() == '"') {
        for (std::size_t i = 1; i < value.size() && value[i] != '"'; ++i) {
            if (value[i] == '\\' && i + 1 < value.size()) ++i;
            out.push_back(value[i]);
        }
        return out;
    }
    if (const std::size_t comment = value.find(" #"); comment != std::string_view::npos)
        value = value.substr(0, comment);
    return std::string(trimmed(value));
}

struct VdfToken {
    enum Kind { text, open, close } kind = text;
    std::string value;
};

// Splits a VDF (KeyValues) text into quoted or bare strings and braces; "//" starts a comment.
std::vector<VdfToken> vdf_tokens(std::string_view vdf) {
    std::vector<VdfToken> tokens;
    std::size_t i = 0;
    while (i < vdf.size()) {
        const char c = vdf[i];
        if (std::isspace(static_cast<unsigned char>(c)) != 0) {
            ++i;
        } else if (c == '/' && i + 1 < vdf.size() && vdf[i + 1] == '/') {
            i = vdf.find('\n', i);
            if (i == std::string_view::npos) break;
        } else if (c == '{' || c == '}') {
            tokens.push_back({c == '{' ? VdfToken::open : VdfToken::close, {}});
            ++i;
        } else if (c == '"') {
            VdfToken t;
            for (++i; i < vdf.size() && vdf[i] != '"'; ++i) {
                if (vdf[i] == '\\' && i + 1 < vdf.size()) ++i;
                t.value.push_back(vdf[i]);
            }
            ++i;
            tokens.push_back(std::move(t));
        } else {
            VdfToken t;
            while (i < vdf.size() && std::isspace(static_cast<unsigned char>(vdf[i])) == 0 &&
                   vdf[i] != '{' && vdf[i] != '}' && vdf[i] != '"')
                t.value.push_back(vdf[i++]);
            tokens.push_back(std::move(t));
        }
    }
    return tokens;
}

bool is_number(std::string_view text) {
    if (text.empty()) return false;
    for (const char c : text)
        if (std::isdigit(static_cast<unsigned char>(c)) == 0) return false;
    return true;
}

} // namespace

std::optional<std::string> lutris_game_prefix(std::string_view yml) {
    std::optional<std::string> found;
    bool in_game = false;
    for_each_line(yml, [&](std::string_view line) {
        if (found) return;
        const std::string_view content = trimmed(line);
        if (content.empty() || content.front() == '#') return;
        if (!is_blank(line.front())) {
            in_game = content == "game:";
            return;
        }
        constexpr std::string_view kKey = "prefix:";
        if (!in_game || content.substr(0, kKey.size()) != kKey) return;
        std::string value = yaml_scalar(content.substr(kKey.size()));
        if (!value.empty()) found = std::move(value);
    });
    return found;
}

std::vector<std::string> steam_library_folders(std::string_view vdf) {
    std::vector<std::string> folders;
    const std::vector<VdfToken> tokens = vdf_tokens(vdf);
    std::vector<std::string> path_of_keys; // the keys of the blocks we are in
    for (std::size_t i = 0; i < tokens.size(); ++i) {
        const VdfToken& t = tokens[i];
        if (t.kind == VdfToken::close) {
            if (!path_of_keys.empty()) path_of_keys.pop_back();
            continue;
        }
        if (t.kind == VdfToken::open) continue; // a block without a key
        const bool block = i + 1 < tokens.size() && tokens[i + 1].kind == VdfToken::open;
        if (block) {
            path_of_keys.push_back(t.value);
            ++i;
            continue;
        }
        if (i + 1 >= tokens.size() || tokens[i + 1].kind != VdfToken::text) continue;
        const std::string& value = tokens[i + 1].value;
        const std::size_t depth = path_of_keys.size();
        const bool in_list = depth >= 1 && same_text(path_of_keys[0], "libraryfolders");
        if (in_list && depth == 2 && is_number(path_of_keys[1]) && same_text(t.value, "path"))
            folders.push_back(value);
        if (in_list && depth == 1 && is_number(t.value)) folders.push_back(value);
        ++i;
    }
    return folders;
}

bool past_simulator_sections(std::string_view lines) {
    constexpr std::string_view kKey = "[software\\\\condor";
    for (std::size_t at = lines.find('['); at != std::string_view::npos;
         at = lines.find('[', at + 1)) {
        if (at != 0 && lines[at - 1] != '\n') continue;
        const std::string_view head = lines.substr(at, kKey.size());
        for (std::size_t i = 0; i < head.size(); ++i) {
            const char c = ascii_lower(head[i]);
            if (c != kKey[i]) {
                if (c > kKey[i]) return true;
                break;
            }
        }
    }
    return false;
}

std::string simulator_sections(std::string_view user_reg) {
    // Section headers are the only lines that start with "[": looking for that byte alone
    // keeps the scan of a registry of megabytes short.
    std::string out = "WINE REGISTRY Version 2\n";
    constexpr std::string_view kKey = "[software\\\\condor";
    bool keep = false;
    std::size_t kept_from = 0;
    const auto keep_until = [&](std::size_t end) {
        if (!keep) return;
        out.append(user_reg.substr(kept_from, end - kept_from));
        if (out.back() != '\n') out.push_back('\n');
    };
    for (std::size_t at = user_reg.find('['); at != std::string_view::npos;
         at = user_reg.find('[', at + 1)) {
        if (at != 0 && user_reg[at - 1] != '\n') continue;
        keep_until(at);
        const std::string_view head = user_reg.substr(at, kKey.size());
        // Most keys sit under "Software": their first letter after it rejects them cheaply.
        keep = head.size() == kKey.size() && (head[11] == 'c' || head[11] == 'C') &&
               same_text(head, kKey);
        kept_from = at;
    }
    keep_until(user_reg.size());
    return out;
}

} // namespace kalveo
